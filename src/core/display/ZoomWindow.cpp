#include "core/display/ZoomWindow.h"

#include "core/common/NumericValue.h"
#include "core/common/Rounding.h"

#include <algorithm>

namespace lumvane {

namespace {

// Half the designed window: the neighbourhood is 2 s = 80 / z source pixels.
constexpr double kHalfSpanAtFactor1 = 40.0;

int Round(double value)
{
    return static_cast<int>(RoundHalfEven(value));
}

// One axis of the PicTwo zoom: the cursor's view pixel held within s of the
// view's edges, then the corner scaled by (81 + size - zoomSize) / size.
int ZoomCorner(double cursorPixel, double halfSpan, int viewSize, int zoomSize)
{
    int centre = Round(cursorPixel);
    if (centre < halfSpan)
        centre = Round(halfSpan);
    if (centre > viewSize - halfSpan)
        centre = Round(viewSize - halfSpan);
    const auto scaled
        = static_cast<std::int64_t>(RoundHalfEven((centre - halfSpan) * (kZoomDesignSize + viewSize - zoomSize)));
    return static_cast<int>(scaled / viewSize);
}

} // namespace

int ZoomFactor(std::string_view labelText)
{
    const std::optional<std::int16_t> factor = RoundToInt16(NumericValue(labelText));
    return factor && *factor >= 1 ? *factor : 1;
}

double ZoomHalfSpan(int zoomFactor)
{
    return kHalfSpanAtFactor1 / zoomFactor;
}

std::optional<ZoomRectangle> ScrolledViewZoomRectangle(
    ViewPoint imagePoint, ViewPosition scroll, int imageHeight, int zoomFactor, PixelSize view, PixelSize zoom)
{
    if (view.width <= 0 || view.height <= 0 || zoomFactor < 1)
        return std::nullopt;
    const double halfSpan = ZoomHalfSpan(zoomFactor);
    ZoomRectangle rectangle;
    rectangle.x = ZoomCorner(imagePoint.x - scroll.h - 2, halfSpan, view.width, zoom.width);
    rectangle.y = ZoomCorner((imageHeight - scroll.v - 2) - imagePoint.y, halfSpan, view.height, zoom.height);
    rectangle.width = zoom.width;
    rectangle.height = zoom.height;
    rectangle.factor = zoomFactor;
    return rectangle;
}

void DrawZoom(const ZoomRectangle& rectangle, const std::uint32_t* source, PixelSize sourceSize,
    std::ptrdiff_t sourceStride, std::uint32_t* zoom, PixelSize zoomSize, std::ptrdiff_t zoomStride,
    std::uint32_t outside)
{
    if (rectangle.factor < 1)
        return;
    // The stretched rectangle covers factor * width pixels; the window shows
    // its top-left part.
    const int shownWidth = std::min(zoomSize.width, rectangle.width * rectangle.factor);
    const int shownHeight = std::min(zoomSize.height, rectangle.height * rectangle.factor);
    for (int r = 0; r < zoomSize.height; ++r) {
        std::uint32_t* out = zoom + r * zoomStride;
        const int sourceY = rectangle.y + r / rectangle.factor;
        const bool rowInside = r < shownHeight && sourceY >= 0 && sourceY < sourceSize.height;
        const std::uint32_t* in = rowInside ? source + sourceY * sourceStride : nullptr;
        for (int c = 0; c < zoomSize.width; ++c) {
            const int sourceX = rectangle.x + c / rectangle.factor;
            const bool inside = in != nullptr && c < shownWidth && sourceX >= 0 && sourceX < sourceSize.width;
            out[c] = inside ? in[sourceX] : outside;
        }
    }
}

} // namespace lumvane
