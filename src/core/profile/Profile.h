#pragma once

#include "core/image/ImagePlane.h"

#include <string_view>
#include <vector>

namespace lumvane {

/// @brief The profile line: `profileStart` (x1, y1) and `profileEnd` (x2, y2)
/// in image coordinates (x = column from the left, y = row from the bottom, one
/// unit per pixel), single precision as the views hand them over.
struct ProfileLine {
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;
};

/// The settings of the "Profiles" tab in force for one computation.
struct ProfileSettings {
    int width = 1; ///< half-width w of the band, in half-pixel steps (`txtprofwidth`)
    bool logarithm = false; ///< "Log Profile": each point is ln of its mean
};

/// One sample position in image coordinates, where a green mark goes.
struct ProfileSample {
    double x = 0.0;
    double y = 0.0;
};

enum class ProfileStatus {
    Computed, ///< at least one point
    NoPoints, ///< the line is shorter than one pixel: nothing to plot, mark or save
    TooLong, ///< longer than kMaxProfilePoints pixels: no image holds such a line
};

/// Longer than the diagonal of the largest 16-bit image (32767 x 32767).
inline constexpr int kMaxProfilePoints = 65535;

/// @brief What one computation gave, with the settings that produced it.
struct ProfileResult {
    ProfileStatus status = ProfileStatus::NoPoints;
    /// Point i (1..n) at values[i - 1]: the mean of its samples inside the
    /// image in physical counts, or its natural logarithm.
    std::vector<float> values;
    /// When marking was asked for: every sample that lies on the image, in the
    /// order taken (point by point, the two positions along the line, then the
    /// offsets across from right to left). Samples off the image show on
    /// neither view and are left out.
    std::vector<ProfileSample> samples;
    ProfileSettings settings;

    bool HasPoints() const { return !values.empty(); }
};

/// @brief The intensity profile along a line of the IMG plane.
///
/// n = floor of the line's length. Point i averages 2(2w + 1) samples: at the
/// fractions (2i - 1)/(2n) and 2i/(2n) of the way from the start to the end
/// (the start itself is never sampled, the end is the last position), and at
/// each of them at the offsets k/(2n), k = -w..w, of the line vector turned a
/// quarter turn counter-clockwise, so the band reaches about w/2 pixels to each
/// side. A sample reads the pixel (Fix(xs), Fix(ys)) when that lies within
/// 1..W, 1..H; a sample off the image is never read and is left out of its
/// point's mean, and a point without any sample on the image is 0. A negative
/// width gives an empty band, so every point is 0. With `logarithm` a point is
/// ln of its mean; where the mean is not above 0 it keeps its plain sum.
/// With `mark` the result also lists the sample positions for drawing.
ProfileResult ComputeProfile(
    const ImagePlane& img, const ProfileLine& line, const ProfileSettings& settings, bool mark);

/// @brief The band's half-width from the text of `txtprofwidth`: the integer
/// part (floor) of its leading number, 0 when there is none or when it does not
/// fit in 16 bits.
int ProfileWidth(std::string_view text);

} // namespace lumvane
