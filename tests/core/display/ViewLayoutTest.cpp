#include "core/display/ViewLayout.h"
#include "core/display/ViewCoordinates.h"
#include "core/display/WindowLayout.h"

#include <gtest/gtest.h>

#include <optional>

namespace lumvane {
namespace {

TEST(MainWindowLayout, PlacesTabPanelAndScrollBarsFromTheScreenSize)
{
    struct Case {
        ScreenSize screen;
        double width, height, tabLeft, vsbLeft, hsbTop;
    };
    const Case cases[] = {
        { { 800, 600 }, 800.0, 600.0 - 500.0 / 15.0, 584.0, 552.0, 288.0 },
        { { 1024, 768 }, 1024.0, 768.0 - 500.0 / 15.0, 808.0, 776.0, 456.0 },
        { { 1920, 1080 }, 1920.0, 1080.0 - 500.0 / 15.0, 1704.0, 1672.0, 768.0 },
    };
    for (const Case& c : cases) {
        const WindowLayout layout = MainWindowLayout(c.screen);
        EXPECT_EQ(layout.windowWidth, c.width);
        EXPECT_NEAR(layout.windowHeight, c.height, 1e-4);
        EXPECT_EQ(layout.tabPanelLeft, c.tabLeft);
        EXPECT_EQ(layout.verticalBarLeft, c.vsbLeft);
        EXPECT_EQ(layout.horizontalBarTop, c.hsbTop);
    }
}

TEST(DraggedPanelPosition, MovesByATenthOfThePointersOffsetFromThePressPoint)
{
    EXPECT_EQ(DraggedPanelPosition({ 584, 0 }, { 10, 10 }, { 30, -10 }), (ViewPoint { 586, -2 }));
    EXPECT_EQ(DraggedPanelPosition({ 584, 0 }, { 10, 10 }, { 10, 10 }), (ViewPoint { 584, 0 }));
    // The press point stays: the same pointer position moves the panel again.
    const ViewPoint once = DraggedPanelPosition({ 100, 50 }, { 0, 0 }, { 5, 0 });
    EXPECT_EQ(DraggedPanelPosition(once, { 0, 0 }, { 5, 0 }), (ViewPoint { 101, 50 }));
}

struct LayoutCase {
    ScreenSize screen;
    int imageWidth, imageHeight;
    double visibleWidth, visibleHeight;
    bool hsbShown;
    double hsbTop;
    bool vsbShown;
    double vsbLeft;
    ScrollBarSteps horizontal, vertical;
};

class ViewLayoutTest : public ::testing::TestWithParam<LayoutCase> { };

TEST_P(ViewLayoutTest, SizesTheViewsAndScrollBars)
{
    const LayoutCase& c = GetParam();
    const ViewLayout layout = LayoutViews(c.imageWidth, c.imageHeight, c.screen);
    EXPECT_EQ(layout.visibleWidth, c.visibleWidth);
    EXPECT_EQ(layout.visibleHeight, c.visibleHeight);
    EXPECT_EQ(layout.horizontalBarShown, c.hsbShown);
    EXPECT_EQ(layout.verticalBarShown, c.vsbShown);
    if (c.hsbShown) {
        EXPECT_EQ(layout.horizontalBarTop, c.hsbTop);
        EXPECT_EQ(layout.horizontalBarWidth, c.visibleWidth);
    }
    if (c.vsbShown) {
        EXPECT_EQ(layout.verticalBarLeft, c.vsbLeft);
        EXPECT_EQ(layout.verticalBarHeight, c.visibleHeight);
    }
    const ScrollRanges ranges = ArrangeScrollRanges(
        c.imageWidth, c.imageHeight, static_cast<int>(layout.visibleWidth), static_cast<int>(layout.visibleHeight));
    EXPECT_EQ(ranges.horizontal, c.horizontal);
    EXPECT_EQ(ranges.vertical, c.vertical);
}

constexpr std::optional<int> kRefused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Screens, ViewLayoutTest,
    ::testing::Values(
        // 800 x 600: largest view 556 x 486.
        LayoutCase { { 800, 600 }, 1000, 700, 556, 486, true, 486, true, 557, { 444, 996, 44 }, { 214, 696, 21 } },
        // 1024 x 768: largest view 780 x 654; 46 / 10 rounds to 5.
        LayoutCase { { 1024, 768 }, 1000, 700, 780, 654, true, 654, true, 781, { 220, 996, 22 }, { 46, 696, 5 } },
        // An image that fits: no bars, maxima 0, line steps refused.
        LayoutCase { { 800, 600 }, 500, 400, 500, 400, false, 0, false, 0, { 0, 496, kRefused }, { 0, 396, kRefused } },
        LayoutCase {
            { 1024, 768 }, 1000, 700 - 46, 780, 654, true, 654, false, 0, { 220, 996, 22 }, { 0, 650, kRefused } },
        // Too tall only: the vertical bar sits right of the image's own width.
        LayoutCase { { 800, 600 }, 300, 1000, 300, 486, false, 0, true, 301, { 0, 296, kRefused }, { 514, 996, 51 } },
        // One pixel wider than the view: maximum 1, round(0.1) = 0 refused.
        LayoutCase { { 800, 600 }, 557, 100, 556, 100, true, 100, false, 0, { 1, 553, kRefused }, { 0, 96, kRefused } },
        // Line steps round half to even: 2.5 -> 2, 1.5 -> 2, 0.5 -> refused.
        LayoutCase { { 800, 600 }, 581, 501, 556, 486, true, 486, true, 557, { 25, 577, 2 }, { 15, 497, 2 } },
        LayoutCase { { 800, 600 }, 561, 100, 556, 100, true, 100, false, 0, { 5, 557, kRefused }, { 0, 96, kRefused } },
        // Images below the border size have no valid page step.
        LayoutCase {
            { 800, 600 }, 4, 3, 4, 3, false, 0, false, 0, { 0, kRefused, kRefused }, { 0, kRefused, kRefused } },
        LayoutCase {
            { 800, 600 }, 0, 0, 0, 0, false, 0, false, 0, { 0, kRefused, kRefused }, { 0, kRefused, kRefused } }));

TEST(LargestVisibleSize, IsTheScreenLess244AcrossAnd114DownButNeverBelowTheBorder)
{
    EXPECT_EQ(LargestVisibleSize({ 800, 600 }).width, 556);
    EXPECT_EQ(LargestVisibleSize({ 800, 600 }).height, 486);
    EXPECT_EQ(LargestVisibleSize({ 1024, 768 }).width, 780);
    EXPECT_EQ(LargestVisibleSize({ 1024, 768 }).height, 654);
    EXPECT_EQ(LargestVisibleSize({ 100, 100 }).width, 4);
    EXPECT_EQ(LargestVisibleSize({ 100, 100 }).height, 4);
}

TEST(ViewCoordinates, ConvertBetweenScrolledViewPixelsAndImagePoints)
{
    // h = 50, v = 30, H = 700: view pixel (10, 20) shows image point (62, 648).
    EXPECT_EQ(ImagePointOfView({ 10, 20 }, { 50, 30 }, 700), (ViewPoint { 62, 648 }));
    EXPECT_EQ(ViewPointOfImage({ 62, 648 }, { 50, 30 }, 700), (ViewPoint { 10, 20 }));
    // Unscrolled, the drawing area's top-left pixel is image point (2, H - 2).
    EXPECT_EQ(ImagePointOfView({ 0, 0 }, {}, 700), (ViewPoint { 2, 698 }));
    EXPECT_EQ(ViewPointOfImage({ 12.5, 388 }, {}, 400), (ViewPoint { 10.5, 10 }));
}

} // namespace
} // namespace lumvane
