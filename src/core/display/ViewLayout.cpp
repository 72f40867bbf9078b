#include "core/display/ViewLayout.h"

#include "core/common/Rounding.h"

#include <algorithm>

namespace lumvane {

namespace {

constexpr int kViewBorder = 4; // 2 pixels on each side

std::optional<int> ValidStep(double step)
{
    const double rounded = RoundHalfEven(step);
    if (rounded < 1.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

ScrollBarSteps Steps(int pictureSize, int visibleSize)
{
    ScrollBarSteps steps;
    steps.maximum = pictureSize - visibleSize;
    steps.pageStep = ValidStep(pictureSize - kViewBorder);
    steps.lineStep = ValidStep(steps.maximum / 10.0);
    return steps;
}

/// A drawing size reduced: blocks of `reduction` pixels, the last one partial.
int Reduced(int drawingSize, int reduction)
{
    return drawingSize > 0 ? (drawingSize + reduction - 1) / reduction : drawingSize;
}

} // namespace

int ViewReduction(ViewScale scale, int imageWidth, int imageHeight, PixelSize area)
{
    switch (scale) {
    case ViewScale::Full:
        return 1;
    case ViewScale::Half:
        return 2;
    case ViewScale::Quarter:
        return 4;
    case ViewScale::Fit:
        break;
    }
    // The largest reduction needed is the image's own size: one pixel is left.
    const int largest = std::max({ imageWidth, imageHeight, 1 });
    int reduction = 1;
    while (reduction < largest) {
        const PixelSize picture = ReducedPictureSize(imageWidth, imageHeight, reduction);
        if (picture.width <= area.width && picture.height <= area.height)
            break;
        ++reduction;
    }
    return reduction;
}

PixelSize ReducedPictureSize(int imageWidth, int imageHeight, int reduction)
{
    return { Reduced(imageWidth - kViewBorder, reduction) + kViewBorder,
        Reduced(imageHeight - kViewBorder, reduction) + kViewBorder };
}

ViewLayout LayoutViews(PixelSize picture, PixelSize area, int barThickness)
{
    // A bar on one side takes room from the other: settle which are needed.
    bool horizontal = false;
    bool vertical = false;
    int availableWidth = area.width;
    int availableHeight = area.height;
    for (bool settled = false; !settled;) {
        availableWidth = std::max(area.width - (vertical ? barThickness + 1 : 0), kViewBorder);
        availableHeight = std::max(area.height - (horizontal ? barThickness : 0), kViewBorder);
        const bool needHorizontal = picture.width > availableWidth;
        const bool needVertical = picture.height > availableHeight;
        settled = needHorizontal == horizontal && needVertical == vertical;
        horizontal = needHorizontal;
        vertical = needVertical;
    }
    ViewLayout layout;
    layout.visibleWidth = std::min(picture.width, availableWidth);
    layout.visibleHeight = std::min(picture.height, availableHeight);
    layout.horizontalBarShown = horizontal;
    layout.verticalBarShown = vertical;
    if (horizontal) {
        layout.horizontalBarTop = layout.visibleHeight;
        layout.horizontalBarWidth = layout.visibleWidth;
    }
    if (vertical) {
        layout.verticalBarLeft = layout.visibleWidth + 1;
        layout.verticalBarHeight = layout.visibleHeight;
    }
    return layout;
}

ScrollRanges ArrangeScrollRanges(PixelSize picture, PixelSize visible)
{
    return { Steps(picture.width, visible.width), Steps(picture.height, visible.height) };
}

void CopyViewWindow(const std::uint32_t* picture, PixelSize pictureSize, std::ptrdiff_t pictureStride,
    ViewPosition view, std::uint32_t* target, PixelSize targetSize, std::ptrdiff_t targetStride, std::uint32_t outside)
{
    const int k = view.reduction;
    // The view's columns that show a column of the picture: c with 0 <= (c + h) k < width.
    const int first = std::clamp(-view.h, 0, targetSize.width);
    const int end = std::clamp((pictureSize.width + k - 1) / k - view.h, first, targetSize.width);
    for (int r = 0; r < targetSize.height; ++r) {
        std::uint32_t* out = target + r * targetStride;
        const int row = (r + view.v) * k;
        if (row < 0 || row >= pictureSize.height) {
            std::fill(out, out + targetSize.width, outside);
            continue;
        }
        std::fill(out, out + first, outside);
        const std::uint32_t* in = picture + row * pictureStride + static_cast<std::ptrdiff_t>(first + view.h) * k;
        if (k == 1) {
            std::copy(in, in + (end - first), out + first);
        } else {
            for (int c = first; c < end; ++c, in += k)
                out[c] = *in;
        }
        std::fill(out + end, out + targetSize.width, outside);
    }
}

} // namespace lumvane
