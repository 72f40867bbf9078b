#include "core/display/CursorReadout.h"

#include "core/common/NumberText.h"
#include "core/common/Rounding.h"

#include <cstdint>

namespace lumvane {

CursorReadout ReadCursorOnView(const ImagePlane& img, ViewPoint viewPixel, ViewPosition scroll, int imageHeight)
{
    CursorReadout readout;
    readout.image = ImagePointOfView(viewPixel, scroll, imageHeight);
    // View pixels are a few thousand at most: their floors fit any integer.
    const auto x = static_cast<std::int64_t>(Floor(readout.image.x));
    const auto y = static_cast<std::int64_t>(Floor(readout.image.y));
    readout.xText = "X =" + NumberText(x);
    readout.yText = "Y =" + NumberText(y);
    readout.valueText = "Value =";
    if (x >= 1 && x <= img.Width() && y >= 1 && y <= img.Height()) {
        img.Prepare(CellsAround(static_cast<int>(x), static_cast<int>(y), 0));
        readout.value = Physical(img.At(static_cast<int>(x), static_cast<int>(y)));
        readout.valueText += NumberText(*readout.value);
    }
    return readout;
}

} // namespace lumvane
