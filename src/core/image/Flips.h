#pragma once

#include "core/image/ImagePlane.h"

namespace lumvane {

/// @brief Mirrors the image left-right in place: pixel (x, y) takes the value
/// of (W + 1 - x, y), and its marks. Cells with x = 0 or y = 0 stay as they are.
void FlipHorizontal(ImagePlane& img);

/// @brief Mirrors the image top-bottom in place: pixel (x, y) takes the value
/// of (x, H + 1 - y), and its marks. Cells with x = 0 or y = 0 stay as they are.
void FlipVertical(ImagePlane& img);

} // namespace lumvane
