#pragma once

#include "core/display/ViewCoordinates.h"
#include "core/image/ImagePlane.h"

#include <optional>
#include <string>

namespace lumvane {

/// @brief What the status bar shows for the cursor on the scrolled view.
struct CursorReadout {
    /// The image point under the cursor (x from the left, y from the bottom).
    ViewPoint image;
    /// The physical count of cell (Int(x), Int(y)); nothing outside 1..W x 1..H.
    std::optional<int> value;
    /// Panel 1, 2 and 3: "X =" and "Y =" with the number text of Int(x) and
    /// Int(y) ("X = 120", "X =-3"), "Value =" with that of the value, or
    /// "Value =" alone where there is no value.
    std::string xText;
    std::string yText;
    std::string valueText;
};

/// @brief The readout for a pixel of the scrolled view's drawing area
/// (origin top-left, y down): the image point (X + h + 2, H - Y - v - 2) and
/// the one pixel read there. Int is the floor.
CursorReadout ReadCursorOnView(const ImagePlane& img, ViewPoint viewPixel, ViewPosition scroll, int imageHeight);

} // namespace lumvane
