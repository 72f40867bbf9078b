#pragma once

#include "core/common/ViewPoint.h"

namespace lumvane {

/// A picture's size in pixels.
struct PixelSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

/// @brief Where the scrolled view stands over the full-size picture.
///
/// The view shows the full-size drawing area reduced: each view pixel stands
/// for a block of reduction x reduction full-size pixels and shows its
/// top-left one. h and v are the scroll bar values: pixels of the reduced
/// picture hidden to the left of and above the visible window.
struct ViewPosition {
    int h = 0;
    int v = 0;
    int reduction = 1; ///< 1 at 1:1, 2 at 1:2, 4 at 1:4
};

/// @brief The image point shown at a pixel of the scrolled view's drawing
/// area: ((X + h) k + 2, H - (Y + v) k - 2), H the rendered height and k the
/// reduction. With h = v = 0 at 1:1 this is the full-size view's own mapping.
constexpr ViewPoint ImagePointOfView(ViewPoint viewPixel, ViewPosition view, int imageHeight)
{
    return { (viewPixel.x + view.h) * view.reduction + 2, imageHeight - (viewPixel.y + view.v) * view.reduction - 2 };
}

/// @brief The pixel of the scrolled view's drawing area that shows an image
/// point: ((x - 2) / k - h, (H - y - 2) / k - v).
constexpr ViewPoint ViewPointOfImage(ViewPoint imagePoint, ViewPosition view, int imageHeight)
{
    return { (imagePoint.x - 2) / view.reduction - view.h, (imageHeight - imagePoint.y - 2) / view.reduction - view.v };
}

} // namespace lumvane
