#include "core/display/RenderImage.h"

#include "core/display/LevelPalette.h"

#include <algorithm>

namespace lumvane {

RenderWindow FullSizeViewWindow(int width, int height)
{
    const ViewPoint topLeft = ImagePointOfView({ 0.0, 0.0 }, {}, height);
    return { std::max(width - 4, 0), std::max(height - 4, 0), static_cast<int>(topLeft.x),
        static_cast<int>(topLeft.y) };
}

RenderWindow WholeImageWindow(int width, int height)
{
    return { width, height, 1, height };
}

void RenderImage(const ImagePlane& img, const ColourTable& colours, const RenderWindow& window, std::uint32_t* pixels,
    std::ptrdiff_t stride)
{
    // One check of the rectangle: the columns and rows whose image points lie
    // inside the plane's pixels.
    const int firstColumn = std::max(0, 1 - window.firstX);
    const int endColumn = std::min(window.width, img.Width() - window.firstX + 1);
    const int firstRow = std::max(0, window.topY - img.Height());
    const int endRow = std::min(window.height, window.topY);
    if (firstColumn >= endColumn || firstRow >= endRow)
        return;

    // The whole plane, not the window alone: a picture shows no value that
    // still waits on frames that may be replaced later.
    img.PrepareAll();
    const std::uint32_t* lookup = colours.Lookup();
    const int count = endColumn - firstColumn;
    for (int row = firstRow; row < endRow; ++row) {
        const std::int16_t* in = img.Row(window.topY - row) + window.firstX + firstColumn;
        std::uint32_t* out = pixels + row * stride + firstColumn;
        for (int i = 0; i < count; ++i)
            out[i] = lookup[in[i]];
    }
}

RgbImage RenderWholeImage(const ImagePlane& img, const ColourTable& colours)
{
    RgbImage picture;
    picture.width = img.Width();
    picture.height = img.Height();
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height),
        PackedColour(kLevelPalette[0]));
    RenderImage(img, colours, WholeImageWindow(img.Width(), img.Height()), picture.pixels.data(), picture.width);
    return picture;
}

} // namespace lumvane
