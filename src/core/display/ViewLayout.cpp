#include "core/display/ViewLayout.h"

#include "core/common/Rounding.h"

#include <algorithm>

namespace lumvane {

namespace {

constexpr double kViewBorder = 4.0; // 2 pixels on each side

std::optional<int> ValidStep(double step)
{
    const double rounded = RoundHalfEven(step);
    if (rounded < 1.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

ScrollBarSteps Steps(int imageSize, int visibleSize)
{
    ScrollBarSteps steps;
    steps.maximum = imageSize - visibleSize;
    steps.pageStep = ValidStep(imageSize - kViewBorder);
    steps.lineStep = ValidStep(steps.maximum / 10.0);
    return steps;
}

} // namespace

ScreenSize LargestVisibleSize(ScreenSize screen)
{
    // The window was designed on a 12000 x 9000 twip screen with a 556 x 486
    // pixel view; the view grows and shrinks with the screen.
    const float width = 556.0F - (12000.0F - static_cast<float>(screen.width) * kTwipsPerPixel) / kTwipsPerPixel;
    const float height = 486.0F - (9000.0F - static_cast<float>(screen.height) * kTwipsPerPixel) / kTwipsPerPixel;
    return { static_cast<int>(std::max(width, static_cast<float>(kViewBorder))),
        static_cast<int>(std::max(height, static_cast<float>(kViewBorder))) };
}

ViewLayout LayoutViews(int imageWidth, int imageHeight, ScreenSize screen)
{
    const ScreenSize largest = LargestVisibleSize(screen);
    ViewLayout layout;
    layout.visibleWidth = imageWidth;
    layout.visibleHeight = imageHeight;
    if (layout.visibleHeight > largest.height) {
        layout.visibleHeight = largest.height;
        layout.verticalBarShown = true;
        layout.verticalBarHeight = layout.visibleHeight;
    }
    if (layout.visibleWidth > largest.width) {
        layout.visibleWidth = largest.width;
        layout.horizontalBarShown = true;
        layout.horizontalBarWidth = layout.visibleWidth;
        layout.horizontalBarTop = layout.visibleHeight;
    }
    if (layout.verticalBarShown)
        layout.verticalBarLeft = layout.visibleWidth + 1.0;
    return layout;
}

ScrollRanges ArrangeScrollRanges(int imageWidth, int imageHeight, int visibleWidth, int visibleHeight)
{
    return { Steps(imageWidth, visibleWidth), Steps(imageHeight, visibleHeight) };
}

} // namespace lumvane
