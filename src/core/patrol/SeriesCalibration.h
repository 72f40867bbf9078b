#pragma once

#include "core/common/UniformRandom.h"
#include "core/image/FieldShift.h"
#include "core/image/FitsReader.h"
#include "core/image/ImageStore.h"

#include <optional>
#include <string>

namespace lumvane {

/// What calibrating one frame of a series did.
struct SeriesCalibrationOutcome {
    /// The frame was refused because it is smaller than the image
    /// (kCalibrationFrameTooSmall); the image went on without it.
    bool darkRefused = false;
    bool flatRefused = false;
};

/// @brief The dark and flat of a patrol series, applied to every frame read
/// after the first: the dark frame (DS) is subtracted, then the image is
/// divided by the flat field (FF) normalised to its mean.
///
/// The flat's mean depends only on the flat and on the image's size and
/// NAXIS1 x NAXIS2, so it is worked out once for the series and again only
/// when a frame of another size comes. DS and FF must not be read anew while
/// the series runs.
class SeriesCalibration {
public:
    /// No calibration: the user declined both frames.
    SeriesCalibration() = default;
    SeriesCalibration(bool dark, bool flat)
        : m_dark(dark)
        , m_flat(flat)
    {
    }

    bool Dark() const { return m_dark; }
    bool Flat() const { return m_flat; }

    /// @brief Reads a frame of the series into IMG (ReadFitsImage) and
    /// calibrates it with the chosen frames of the store, each row while it is
    /// in cache from the read; the same values as DarkSubtract then FlatField
    /// after the read. The flat's mean divides by NAXIS1 and NAXIS2 of the
    /// frame's own header. A frame smaller than the image is refused (and
    /// `outcome` says so) and IMG keeps the values it read. `bins`, when
    /// given, take each row as read, before its calibration.
    FitsReadResult Read(ImageStore& store, const std::string& fileName, UniformRandom& random,
        SeriesCalibrationOutcome& outcome, BinnedFrame* bins = nullptr);

    /// @brief Calibrates the image already in IMG as Read would, the flat's
    /// mean dividing by NAXIS1 and NAXIS2 of the header last read.
    SeriesCalibrationOutcome Apply(ImageStore& store);

private:
    class RowCalibration;

    /// The image size and NAXIS values a flat mean was worked out for.
    struct MeanKey {
        int width = 0;
        int height = 0;
        int naxis1 = 0;
        int naxis2 = 0;

        friend bool operator==(const MeanKey&, const MeanKey&) = default;
    };

    /// The flat's mean for an image of this size and header, from FF.
    std::optional<float> FlatMeanFor(const ImagePlane& flat, const ImagePlane& img, const HeaderValues& header);

    bool m_dark = false;
    bool m_flat = false;
    std::optional<MeanKey> m_meanKey; ///< nothing until the first flat fielding
    std::optional<float> m_mean; ///< the mean for m_meanKey, if it has one
};

} // namespace lumvane
