#pragma once

#include "core/image/ImagePlane.h"
#include "core/photometry/PhotometryOptions.h"

#include <cstdint>
#include <string_view>

namespace lumvane {

/// The largest centre-search radius any caller gets: larger values are lowered to it.
inline constexpr int kMaxSearchRadius = 13;

/// The two ways of finding a star's centre near a click ("Max" and "Centroid").
enum class CentringMethod {
    Peak, ///< the whole-pixel offset with the largest net counts
    Centroid, ///< the mean position of the pixels between two brightness levels
};

enum class StarStatus {
    Found, ///< centre, net counts and error measured
    Corner, ///< the clicked point's annulus background is 0 (peak method only)
    NotFound, ///< no centre found, or the formulas at the centre have no value
};

/// @brief One star measured for one diaphragm radius, with what produced it.
///
/// Positions are image coordinates in pixels: x from the left, y from the
/// bottom, pixel (1, 1) the bottom-left one. Counts are physical counts. A
/// measurement that is not Found holds centre (0, 0), net counts 0 and error
/// 0, so it can never be taken for a star.
struct StarMeasurement {
    // What produced it.
    CentringMethod method = CentringMethod::Peak;
    float clickX = 0.0F;
    float clickY = 0.0F;
    int radius = 0; ///< diaphragm radius, pixels
    int searchRadius = 0; ///< the half side of the search square used, pixels (0..13)
    PhotometryOptions options;

    // What it found.
    StarStatus status = StarStatus::NotFound;
    float centreX = 0.0F;
    float centreY = 0.0F;
    float starNet = 0.0F; ///< net counts at the centre (peak: rounded half-even; centroid: floored)
    float clickNet = 0.0F; ///< net counts in the diaphragm at the clicked point, before centring
    float magError = 0.0F; ///< magnitudes
    /// Pixels of the diaphragm and of the annulus, those outside the image
    /// included; set whatever the status, 0 for an aperture that can't measure.
    std::int64_t diaphragmPixels = 0;
    std::int64_t annulusPixels = 0;
};

/// @brief Centres a star by trying every whole-pixel offset of the search
/// square and keeping the one with the largest positive net counts.
///
/// (x, y) is the clicked point; the centre found is (x + dx, y + dy), and the
/// diaphragm is measured around pixel (floor(x) + dx, floor(y) + dy). Ties
/// keep the first offset in the order dx ascending, then dy ascending. The
/// pixels come from one StarWindow that covers every annulus the search
/// reaches. Corner when the clicked point's annulus background is 0; NotFound
/// when no offset has positive net counts.
/// @param searchRadius half side of the search square in pixels, lowered to 13
StarMeasurement MeasureStarPeak(
    const ImagePlane& img, float x, float y, int radius, int searchRadius, const PhotometryOptions& options);

/// @brief Centres a star at the mean position of the box pixels whose counts
/// lie strictly between the levels of the brightest 5 % and 20 % of the box.
///
/// The box holds columns round(x - r - R) .. round(x + r + R) and the same
/// rows (out-of-image pixels count 0 in the levels and take no part in the
/// mean). NotFound when no pixel lies in the band, or when the net counts or
/// the error at the centre have no value.
StarMeasurement MeasureStarCentroid(
    const ImagePlane& img, float x, float y, int radius, int searchRadius, const PhotometryOptions& options);

/// @brief MeasureStarPeak or MeasureStarCentroid, as `method` says.
StarMeasurement MeasureStar(CentringMethod method, const ImagePlane& img, float x, float y, int radius,
    int searchRadius, const PhotometryOptions& options);

/// @brief The message a user sees for a status, empty for Found.
///
/// Corner: "This star is on the corner!" (OK button, the program's title).
/// NotFound: "No star is found here or the diaphragm radius is very large!"
/// (critical icon, title "ERROR").
std::string_view StarStatusMessage(StarStatus status);

} // namespace lumvane
