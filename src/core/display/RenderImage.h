#pragma once

#include "core/display/ColourTable.h"
#include "core/display/RgbImage.h"
#include "core/display/ViewCoordinates.h"
#include "core/image/ImagePlane.h"

#include <cstddef>
#include <cstdint>

namespace lumvane {

/// @brief The most pixels an image the window shows may have: its full-size
/// picture takes 4 bytes a pixel beside the plane's 2, 1.2 GB at this size.
inline constexpr long long kMaxShownPixels = 200'000'000;

/// @brief Which image cells a picture shows: picture pixel (column c, row r),
/// counted from the top-left, shows image point (firstX + c, topY - r).
struct RenderWindow {
    int width = 0; ///< picture pixels across
    int height = 0; ///< picture pixels down
    int firstX = 1; ///< image x of column 0
    int topY = 1; ///< image y of row 0 (y grows upwards in the image)
};

/// @brief The drawing area of the full-size view of a W x H image: (W - 4) x
/// (H - 4) pixels inside its 2-pixel border, image point (x, y) at column
/// x - 2 and row H - 2 - y.
RenderWindow FullSizeViewWindow(int width, int height);

/// @brief The whole W x H image: image point (x, y) at column x - 1, row H - y.
RenderWindow WholeImageWindow(int width, int height);

/// @brief Paints the image cells of a window into a picture through the
/// colour table, one scan line at a time.
///
/// `pixels` points at row 0, column 0; `stride` is the distance between rows
/// in pixels. Picture pixels whose image point lies outside 1..W x 1..H of the
/// plane are left as they are.
void RenderImage(const ImagePlane& img, const ColourTable& colours, const RenderWindow& window, std::uint32_t* pixels,
    std::ptrdiff_t stride);

/// @brief The whole image as a picture of its own (WholeImageWindow).
RgbImage RenderWholeImage(const ImagePlane& img, const ColourTable& colours);

} // namespace lumvane
