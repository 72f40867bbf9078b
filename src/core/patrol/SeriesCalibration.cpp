#include "core/patrol/SeriesCalibration.h"

#include "core/image/Calibration.h"

namespace lumvane {

/// Chooses the frames for the image a read's header describes, and hands each
/// row as read to the bins.
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
        m_begun = true;
    }

    void FinishRow(ImagePlane& img, int y) override
    {
        if (m_bins)
            m_bins->AddRow(img, y);
    }

    /// Calibrates the image now, if a read began, or as its tiles are read.
    void Calibrate(ImagePlane& img, bool lazily) const
    {
        if (!m_begun || (!m_dark && !m_flat))
            return;
        if (lazily)
            CalibrateLazily(img, m_dark, m_flat, m_mean);
        else
            lumvane::Calibrate(img, m_dark, m_flat, m_mean);
    }

private:
    SeriesCalibration& m_series;
    const ImageStore& m_store;
    SeriesCalibrationOutcome& m_outcome;
    BinnedFrame* m_bins;
    const ImagePlane* m_dark = nullptr;
    const ImagePlane* m_flat = nullptr;
    float m_mean = 0.0F;
    bool m_begun = false;
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
    FitsReadResult result = ReadFitsImage(store, fileName, PlaneId::Img, random, &calibration);
    calibration.Calibrate(store.img, true);
    return result;
}

SeriesCalibrationOutcome SeriesCalibration::Apply(ImageStore& store)
{
    SeriesCalibrationOutcome outcome;
    RowCalibration calibration(*this, store, outcome);
    calibration.Begin(store.img, store.header);
    calibration.Calibrate(store.img, false);
    return outcome;
}

} // namespace lumvane
