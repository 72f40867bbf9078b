#pragma once

#include "core/image/ImageStore.h"

#include <optional>

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

    /// @brief Calibrates IMG in place with the chosen frames of the store; the
    /// flat's mean divides by NAXIS1 and NAXIS2 of the header last read (the
    /// frame's own). A frame smaller than the image is refused and IMG keeps
    /// its values for that step.
    SeriesCalibrationOutcome Apply(ImageStore& store);

private:
    /// The image size and NAXIS values a flat mean was worked out for.
    struct MeanKey {
        int width = 0;
        int height = 0;
        int naxis1 = 0;
        int naxis2 = 0;

        friend bool operator==(const MeanKey&, const MeanKey&) = default;
    };

    bool m_dark = false;
    bool m_flat = false;
    std::optional<MeanKey> m_meanKey; ///< nothing until the first flat fielding
    std::optional<float> m_mean; ///< the mean for m_meanKey, if it has one
};

} // namespace lumvane
