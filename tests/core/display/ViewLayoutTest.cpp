#include "core/display/ViewLayout.h"
#include "core/display/ViewCoordinates.h"
#include "core/display/WindowLayout.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace lumvane {
namespace {

TEST(MainWindowLayout, SizesTheWindowAndPlacesTheTabPanelFromTheScreenSize)
{
    struct Case {
        PixelSize screen;
        double width, height, tabLeft;
    };
    const Case cases[] = {
        { { 800, 600 }, 800.0, 600.0 - 500.0 / 15.0, 584.0 },
        { { 1024, 768 }, 1024.0, 768.0 - 500.0 / 15.0, 808.0 },
        { { 1920, 1080 }, 1920.0, 1080.0 - 500.0 / 15.0, 1704.0 },
    };
    for (const Case& c : cases) {
        const WindowLayout layout = MainWindowLayout(c.screen);
        EXPECT_EQ(layout.windowWidth, c.width);
        EXPECT_NEAR(layout.windowHeight, c.height, 1e-4);
        EXPECT_EQ(layout.tabPanelLeft, c.tabLeft);
    }
}

struct LayoutCase {
    PixelSize picture; // outer size of the view's whole picture
    PixelSize area;
    int visibleWidth, visibleHeight;
    bool hsbShown;
    int hsbTop;
    bool vsbShown;
    int vsbLeft;
    ScrollBarSteps horizontal, vertical;
};

class ViewLayoutTest : public ::testing::TestWithParam<LayoutCase> { };

TEST_P(ViewLayoutTest, SizesTheViewAndScrollBarsInTheArea)
{
    const LayoutCase& c = GetParam();
    const ViewLayout layout = LayoutViews(c.picture, c.area, 17);
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
    const ScrollRanges ranges = ArrangeScrollRanges(c.picture, { layout.visibleWidth, layout.visibleHeight });
    EXPECT_EQ(ranges.horizontal, c.horizontal);
    EXPECT_EQ(ranges.vertical, c.vertical);
}

constexpr std::optional<int> kRefused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Areas, ViewLayoutTest,
    ::testing::Values(
        // 574 x 503 less both bars (17, the vertical one a pixel off the view): 556 x 486.
        LayoutCase { { 1000, 700 }, { 574, 503 }, 556, 486, true, 486, true, 557, { 444, 996, 44 }, { 214, 696, 21 } },
        // A picture that fits: no bars, maxima 0, line steps refused.
        LayoutCase {
            { 500, 400 }, { 574, 503 }, 500, 400, false, 0, false, 0, { 0, 496, kRefused }, { 0, 396, kRefused } },
        // The horizontal bar leaves exactly the picture's height: no vertical bar.
        LayoutCase {
            { 1000, 654 }, { 798, 671 }, 798, 654, true, 654, false, 0, { 202, 996, 20 }, { 0, 650, kRefused } },
        // Too tall only: the vertical bar sits right of the picture's own width.
        LayoutCase {
            { 300, 1000 }, { 574, 503 }, 300, 503, false, 0, true, 301, { 0, 296, kRefused }, { 497, 996, 50 } },
        // The vertical bar's room brings the horizontal one: both.
        LayoutCase {
            { 560, 700 }, { 574, 503 }, 556, 486, true, 486, true, 557, { 4, 556, kRefused }, { 214, 696, 21 } },
        // One pixel wider than the area: maximum 1, round(0.1) = 0 refused.
        LayoutCase {
            { 557, 100 }, { 556, 503 }, 556, 100, true, 100, false, 0, { 1, 553, kRefused }, { 0, 96, kRefused } },
        // Line steps round half to even: 2.5 -> 2, 1.5 -> 2, 0.5 -> refused.
        LayoutCase { { 581, 501 }, { 574, 503 }, 556, 486, true, 486, true, 557, { 25, 577, 2 }, { 15, 497, 2 } },
        LayoutCase {
            { 561, 100 }, { 556, 503 }, 556, 100, true, 100, false, 0, { 5, 557, kRefused }, { 0, 96, kRefused } },
        // An area smaller than the bars leaves the view its border.
        LayoutCase { { 1000, 700 }, { 10, 10 }, 4, 4, true, 4, true, 5, { 996, 996, 100 }, { 696, 696, 70 } },
        // Pictures below the border size have no valid page step.
        LayoutCase {
            { 4, 3 }, { 574, 503 }, 4, 3, false, 0, false, 0, { 0, kRefused, kRefused }, { 0, kRefused, kRefused } },
        LayoutCase {
            { 0, 0 }, { 574, 503 }, 0, 0, false, 0, false, 0, { 0, kRefused, kRefused }, { 0, kRefused, kRefused } }));

TEST(ViewScale, ReducesTheDrawingAreaByWholeBlocksAndFitsTheLeastThatShowsTheWholeImage)
{
    // The drawing area (W - 4) x (H - 4) reduced, a partial block counted, plus the border.
    EXPECT_EQ(ReducedPictureSize(1000, 700, 1), (PixelSize { 1000, 700 }));
    EXPECT_EQ(ReducedPictureSize(1000, 700, 2), (PixelSize { 502, 352 }));
    EXPECT_EQ(ReducedPictureSize(1001, 700, 2), (PixelSize { 503, 352 }));
    EXPECT_EQ(ReducedPictureSize(4096, 4096, 4), (PixelSize { 1027, 1027 }));
    EXPECT_EQ(ReducedPictureSize(0, 0, 4), (PixelSize { 0, 0 }));

    const PixelSize area { 1000, 700 };
    EXPECT_EQ(ViewReduction(ViewScale::Full, 4096, 4096, area), 1);
    EXPECT_EQ(ViewReduction(ViewScale::Half, 4096, 4096, area), 2);
    EXPECT_EQ(ViewReduction(ViewScale::Quarter, 4096, 4096, area), 4);
    // 4092 / 6 = 682 rows and the border fit 700; 4092 / 5 does not.
    EXPECT_EQ(ViewReduction(ViewScale::Fit, 4096, 4096, area), 6);
    // At 2, 1004 x 1396 is 504 x 700: the area's height exactly fits.
    EXPECT_EQ(ViewReduction(ViewScale::Fit, 1004, 1396, area), 2);
    // A picture that fits is not enlarged.
    EXPECT_EQ(ViewReduction(ViewScale::Fit, 512, 512, area), 1);
}

TEST(ViewScale, EachViewPixelShowsTheFullSizePixelOfTheImagePointAClickThereMeasures)
{
    // A 1000 x 700 image: its full-size picture is 996 x 696, pixel (c, r) numbered c * 1000 + r.
    constexpr int kHeight = 700;
    const PixelSize pictureSize { 996, 696 };
    std::vector<std::uint32_t> picture;
    for (int r = 0; r < pictureSize.height; ++r)
        for (int c = 0; c < pictureSize.width; ++c)
            picture.push_back(static_cast<std::uint32_t>(c * 1000 + r));

    const struct {
        ViewPosition view;
        ViewPoint viewPixel;
        ViewPoint image; // ((X + h) k + 2, H - (Y + v) k - 2)
        int column, row; // of the full-size picture: (x - 2, H - 2 - y)
    } cases[] = {
        { { 50, 30, 1 }, { 10, 20 }, { 62, 648 }, 60, 50 },
        { { 50, 30, 2 }, { 10, 20 }, { 122, 598 }, 120, 100 },
        { { 0, 0, 4 }, { 10, 20 }, { 42, 618 }, 40, 80 },
        { { 3, 1, 4 }, { 0, 0 }, { 14, 694 }, 12, 4 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "1:" << c.view.reduction);
        EXPECT_EQ(ImagePointOfView(c.viewPixel, c.view, kHeight), c.image);
        EXPECT_EQ(ViewPointOfImage(c.image, c.view, kHeight), c.viewPixel);
        std::vector<std::uint32_t> view(40 * 30, 7);
        CopyViewWindow(picture.data(), pictureSize, pictureSize.width, c.view, view.data(), { 40, 30 }, 40, 0);
        const auto shown = static_cast<std::size_t>(c.viewPixel.y * 40 + c.viewPixel.x);
        EXPECT_EQ(view[shown], static_cast<std::uint32_t>(c.column * 1000 + c.row));
    }

    // Past the picture's right and bottom edges: the outside colour.
    std::vector<std::uint32_t> view(40 * 30, 7);
    CopyViewWindow(picture.data(), pictureSize, pictureSize.width, { 245, 170, 4 }, view.data(), { 40, 30 }, 40, 99);
    EXPECT_EQ(view[0], 980U * 1000 + 680);
    EXPECT_EQ(view[3], 992U * 1000 + 680);
    EXPECT_EQ(view[4], 99U); // column 996
    EXPECT_EQ(view[4 * 40], 99U); // row 696
}

} // namespace
} // namespace lumvane
