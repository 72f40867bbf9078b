#include "core/patrol/SeriesCalibration.h"

#include "core/image/Calibration.h"

namespace lumvane {

/// Calibrates each row of a read as it comes, with the frames chosen for the
/// image the read's header describes.
class SeriesCalibration::RowCalibration final : public RowFinisher {
public:
    RowCalibration(SeriesCalibration& series, const ImageStore& store, SeriesCalibrationOutcome& outcome,
        BinnedFrame* bins = nullptr)
        : m_series(series)
        , m_store(store)
        , m_outcome(outcome)
        , m_bins(bins)
    {
    }

    void Begin(const ImagePlane& img, const HeaderValues& header) override
    {
        if (m_bins)
            m_bins->Reset(img.Width(), img.Height());
        const bool dark = m_series.m_dark && CoversImage(m_store.ds, img);
        const bool flat = m_series.m_flat && CoversImage(m_store.ff, img);
        m_outcome.darkRefused = m_series.m_dark && !dark;
        m_outcome.flatRefused = m_series.m_flat && !flat;
        m_dark = dark ? &m_store.ds : nullptr;
        // Without a mean (NAXIS1 or NAXIS2 not positive) nothing is divided.
        const std::optional<float> mean = flat ? m_series.FlatMeanFor(m_store.ff, img, header) : std::nullopt;
        m_flat = mean ? &m_store.ff : nullptr;
        m_mean = mean.value_or(0.0F);
    }

    void FinishRow(ImagePlane& img, int y) override
    {
        if (m_bins)
            m_bins->AddRow(img, y);
        if (m_dark || m_flat)
            CalibrateRow(img, y, m_dark, m_flat, m_mean);
    }

private:
    SeriesCalibration& m_series;
    const ImageStore& m_store;
    SeriesCalibrationOutcome& m_outcome;
    BinnedFrame* m_bins;
    const ImagePlane* m_dark = nullptr;
    const ImagePlane* m_flat = nullptr;
    float m_mean = 0.0F;
};

std::optional<float> SeriesCalibration::FlatMeanFor(
    const ImagePlane& flat, const ImagePlane& img, const HeaderValues& header)
{
    const MeanKey key { img.Width(), img.Height(), header.naxis1, header.naxis2 };
    if (m_meanKey != key) {
        m_mean = FlatMean(flat, img, key.naxis1, key.naxis2);
        m_meanKey = key;
    }
    return m_mean;
}

FitsReadResult SeriesCalibration::Read(ImageStore& store, const std::string& fileName, UniformRandom& random,
    SeriesCalibrationOutcome& outcome, BinnedFrame* bins)
{
    outcome = {};
    if (!m_dark && !m_flat && !bins)
        return ReadFitsImage(store, fileName, PlaneId::Img, random);
    RowCalibration calibration(*this, store, outcome, bins);
    return ReadFitsImage(store, fileName, PlaneId::Img, random, &calibration);
}

SeriesCalibrationOutcome SeriesCalibration::Apply(ImageStore& store)
{
    SeriesCalibrationOutcome outcome;
    RowCalibration calibration(*this, store, outcome);
    calibration.Begin(store.img, store.header);
    for (int y = 1; y <= store.img.Height(); ++y)
        calibration.FinishRow(store.img, y);
    return outcome;
}

} // namespace lumvane
