#pragma once

#include "core/image/ImagePlane.h"

#include <cstddef>
#include <vector>

namespace lumvane {

/// A translation of a star field, image pixels (x to the right, y upward).
struct FieldShift {
    float x = 0.0F;
    float y = 0.0F;

    friend bool operator==(const FieldShift&, const FieldShift&) = default;
};

/// The side of the square bins a frame is summed in to find its stars, pixels.
inline constexpr int kShiftBinSide = 4;

/// @brief A frame summed in bins of 4 x 4 pixels, physical counts: the
/// coarse picture in which a frame's stars are looked for.
///
/// Only whole bins are kept: the columns and rows beyond the last whole bin
/// are left out. Bin (i, j) holds pixels x = 4i + 1 .. 4i + 4 and y = 4j + 1
/// .. 4j + 4.
class BinnedFrame {
public:
    /// Empty bins for an image of W x H pixels.
    void Reset(int width, int height);
    /// Adds row y (1..H of the image) of `plane`, which must hold the image's
    /// columns: the reader gives each row as soon as it holds its values.
    void AddRow(const ImagePlane& plane, int y);
    /// Adds every row of the image from `plane` (a calibration frame, or a
    /// frame already read).
    void AddPlane(const ImagePlane& plane);

    /// @brief Each bin divided by the bins' mean: a flat's bins, once, before
    /// they calibrate frames.
    void Normalise();
    /// @brief The bins of a raw frame calibrated as the frame itself is: the
    /// dark's bins subtracted, then divided by the flat's normalised bins (a
    /// bin of the flat that is not above 0 gives 0). Either may be left out
    /// (nullptr); both must have these bins.
    void Calibrate(const BinnedFrame* dark, const BinnedFrame* flat);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    float At(int i, int j) const
    {
        return m_bins[static_cast<std::size_t>(j) * static_cast<std::size_t>(m_columns) + static_cast<std::size_t>(i)];
    }

private:
    int m_columns = 0;
    int m_rows = 0;
    std::vector<float> m_bins; ///< row by row from the bottom
};

/// A star of a frame as the shift finder sees it: its centre, image pixels.
struct FieldStar {
    double x = 0.0;
    double y = 0.0;
    double brightness = 0.0; ///< its bin above the sky, for the order of the stars
};

/// @brief The stars of a frame, the brightest first, at most `most`: the
/// local maxima of its bins above their median plus five robust standard
/// deviations (1.4826 median absolute deviations), each confirmed and centred
/// at full resolution in `img`: its brightest pixel among the 3 x 3 bins,
/// with at least three of its four neighbours above a fifth of its height
/// over the local sky (a lone hot pixel or a cosmic ray is no star), and the
/// centroid of the 7 x 7 pixels around it above that sky. Rows the frame's
/// file did not hold (ImagePlane::RowMissing) are left out.
std::vector<FieldStar> FindFieldStars(const BinnedFrame& bins, const ImagePlane& img, std::size_t most = 30);

enum class FieldShiftStatus {
    Found,
    TooFewStars, ///< the reference frame has too few stars to tell a shift
    NotFound, ///< no shift on which enough stars agree: clouds, or another field
};

struct FieldShiftResult {
    FieldShiftStatus status = FieldShiftStatus::NotFound;
    FieldShift shift; ///< Found: the frame's field less the reference's
    int matches = 0; ///< stars that agree on the shift
};

/// Stars that must agree on a shift.
inline constexpr int kShiftMatches = 4;

/// @brief The shift of a frame's field against a reference frame's, from
/// their stars (FindFieldStars).
///
/// Every pair of a reference star and a frame star votes for the difference
/// of their centres, in cells of one bin. The differences within a bin of the
/// most voted cell are taken, and those within 1.5 pixels of their median
/// are the stars that agree (each star in one pair at most); with at least
/// four of them the shift is their median difference, good to a fraction of
/// a pixel. Shifts up to half the frame's width and height are found.
/// TooFewStars when the reference has fewer than four stars.
FieldShiftResult MatchFieldStars(
    const std::vector<FieldStar>& reference, const std::vector<FieldStar>& stars, int width, int height);

} // namespace lumvane
