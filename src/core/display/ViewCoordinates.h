#pragma once

#include "core/common/ViewPoint.h"

namespace lumvane {

/// The scroll bar values: drawing-area pixels of the full-size view hidden to
/// the left of (h) and above (v) the visible window.
struct ScrollPosition {
    int h = 0;
    int v = 0;
};

/// @brief The image point shown at a pixel of the scrolled view's drawing
/// area: (X + h + 2, H - Y - v - 2), H the rendered height. With h = v = 0 this
/// is the full-size view's own mapping.
constexpr ViewPoint ImagePointOfView(ViewPoint viewPixel, ScrollPosition scroll, int imageHeight)
{
    return { viewPixel.x + scroll.h + 2, imageHeight - viewPixel.y - scroll.v - 2 };
}

/// @brief The pixel of the scrolled view's drawing area that shows an image
/// point: (x - h - 2, H - y - v - 2).
constexpr ViewPoint ViewPointOfImage(ViewPoint imagePoint, ScrollPosition scroll, int imageHeight)
{
    return { imagePoint.x - scroll.h - 2, imageHeight - imagePoint.y - scroll.v - 2 };
}

} // namespace lumvane
