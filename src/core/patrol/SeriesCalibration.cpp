#include "core/patrol/SeriesCalibration.h"

#include "core/image/Calibration.h"

namespace lumvane {

SeriesCalibrationOutcome SeriesCalibration::Apply(ImageStore& store)
{
    SeriesCalibrationOutcome outcome;
    ImagePlane& img = store.img;
    const bool dark = m_dark && CoversImage(store.ds, img);
    const bool flat = m_flat && CoversImage(store.ff, img);
    outcome.darkRefused = m_dark && !dark;
    outcome.flatRefused = m_flat && !flat;
    if (flat) {
        const MeanKey key { img.Width(), img.Height(), store.header.naxis1, store.header.naxis2 };
        if (m_meanKey != key) {
            m_mean = FlatMean(store.ff, img, key.naxis1, key.naxis2);
            m_meanKey = key;
        }
    }
    // Without a mean (NAXIS1 or NAXIS2 not positive) nothing is divided.
    const bool divide = flat && m_mean;
    Calibrate(img, dark ? &store.ds : nullptr, divide ? &store.ff : nullptr, divide ? *m_mean : 0.0F);
    return outcome;
}

} // namespace lumvane
