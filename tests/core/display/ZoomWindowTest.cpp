#include "core/display/ZoomWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumvane {
namespace {

TEST(ZoomWindow, FactorIsTheLabelsNumberRoundedHalfEvenAndOneWhenThereIsNone)
{
    const std::pair<const char*, int> cases[] = {
        { "1", 1 },
        { " 4", 4 },
        { " 6", 6 },
        { "2.5", 2 },
        { "3.5", 4 },
        { "5 x", 5 },
        { "", 1 },
        { "zoom", 1 },
        { "0", 1 },
        { "0.4", 1 },
        { "-3", 1 },
        { "1E9", 1 },
    };
    for (const auto& [text, factor] : cases)
        EXPECT_EQ(ZoomFactor(text), factor) << '"' << text << '"';
    EXPECT_DOUBLE_EQ(ZoomHalfSpan(1), 40.0);
    EXPECT_DOUBLE_EQ(ZoomHalfSpan(4), 10.0);
}

struct RectangleCase {
    const char* what;
    ViewPoint viewPixel; // the cursor in the view's drawing area
    int factor;
    PixelSize view;
    PixelSize zoom;
    int x, y;
};

TEST(ZoomWindow, RectangleOnTheScrolledViewCentresTheCursorAndHoldsItOffTheEdges)
{
    constexpr PixelSize kView { 552, 482 }; // a 1000 x 700 image on an 800 x 600 screen
    constexpr PixelSize kZoom { 81, 81 };
    const RectangleCase cases[] = {
        { "factor 1: 81 x 81 around the cursor", { 200, 150 }, 1, kView, kZoom, 160, 110 },
        { "factor 4: s = 10", { 200, 150 }, 4, kView, kZoom, 190, 140 },
        { "near the left and top edges: held at round(s)", { 5, 3 }, 1, kView, kZoom, 0, 0 },
        { "near the right and bottom: round(pw - s), round(ph - s)", { 550, 481 }, 1, kView, kZoom, 472, 402 },
        { "s = 13.33: (13 - s) pw \\ pw truncates toward zero", { 2, 2 }, 3, kView, kZoom, 0, 0 },
        { "s = 13.33 at the right: round(538.67) = 539", { 551, 481 }, 3, kView, kZoom, 525, 455 },
        { "the cursor rounds half to even", { 100.5, 101.5 }, 1, kView, kZoom, 60, 62 },
        { "a zoom window of 60: the factor is (81 + pw - 60) / pw", { 200, 150 }, 1, kView, { 60, 60 }, 166, 114 },
        { "a view narrower than 2 s: the right hold wins", { 10, 10 }, 1, { 50, 30 }, kZoom, -30, -50 },
    };
    // h = 50, v = 30 on a 700-row image; the cursor given as its image point.
    constexpr ViewPosition kScroll { 50, 30 };
    for (const RectangleCase& c : cases) {
        const ViewPoint image = ImagePointOfView(c.viewPixel, kScroll, 700);
        const std::optional<ZoomRectangle> rectangle
            = ScrolledViewZoomRectangle(image, kScroll, 700, c.factor, c.view, c.zoom);
        ASSERT_TRUE(rectangle.has_value()) << c.what;
        EXPECT_EQ(*rectangle, (ZoomRectangle { c.x, c.y, c.zoom.width, c.zoom.height, c.factor })) << c.what;
    }
    EXPECT_EQ(ScrolledViewZoomRectangle({ 10, 10 }, {}, 700, 1, { 0, 482 }, kZoom), std::nullopt);
}

// A picture whose pixel (c, r) holds c * 1000 + r.
std::vector<std::uint32_t> NumberedPicture(PixelSize size)
{
    std::vector<std::uint32_t> pixels;
    for (int r = 0; r < size.height; ++r)
        for (int c = 0; c < size.width; ++c)
            pixels.push_back(static_cast<std::uint32_t>(c * 1000 + r));
    return pixels;
}

constexpr std::uint32_t kOutside = 0xFF000000U;

std::vector<std::uint32_t> Zoom(
    const ZoomRectangle& rectangle, const std::vector<std::uint32_t>& source, PixelSize sourceSize)
{
    std::vector<std::uint32_t> zoom(81 * 81, 7);
    DrawZoom(rectangle, source.data(), sourceSize, sourceSize.width, zoom.data(), { 81, 81 }, 81, kOutside);
    return zoom;
}

TEST(ZoomWindow, DrawsEachSourcePixelAsAFactorByFactorBlock)
{
    const PixelSize sourceSize { 300, 200 };
    const std::vector<std::uint32_t> source = NumberedPicture(sourceSize);
    for (const int factor : { 1, 2, 4, 6 }) {
        const std::vector<std::uint32_t> zoom = Zoom({ 100, 50, 81, 81, factor }, source, sourceSize);
        for (int r = 0; r < 81; ++r)
            for (int c = 0; c < 81; ++c)
                ASSERT_EQ(zoom[static_cast<std::size_t>(r * 81 + c)],
                    static_cast<std::uint32_t>((100 + c / factor) * 1000 + 50 + r / factor))
                    << "factor " << factor << " at " << c << ", " << r;
    }
}

TEST(ZoomWindow, PixelsBeyondTheSourcePictureTakeTheOutsideColour)
{
    const PixelSize sourceSize { 50, 30 };
    const std::vector<std::uint32_t> source = NumberedPicture(sourceSize);
    const std::vector<std::uint32_t> zoom = Zoom({ -30, -50, 81, 81, 1 }, source, sourceSize);
    auto at = [&](int c, int r) { return zoom[static_cast<std::size_t>(r * 81 + c)]; };
    EXPECT_EQ(at(29, 50), kOutside);
    EXPECT_EQ(at(30, 49), kOutside);
    EXPECT_EQ(at(30, 50), 0U);
    EXPECT_EQ(at(79, 79), 49U * 1000 + 29);
    EXPECT_EQ(at(80, 79), kOutside);
    EXPECT_EQ(at(79, 80), kOutside);

    // Factor 2 at the right edge: source column 50 is one past the picture.
    const std::vector<std::uint32_t> edge = Zoom({ 10, 0, 81, 81, 2 }, source, sourceSize);
    EXPECT_EQ(edge[79], 49U * 1000);
    EXPECT_EQ(edge[80], kOutside);
    EXPECT_EQ(edge[59 * 81], 10U * 1000 + 29);
    EXPECT_EQ(edge[60 * 81], kOutside);
}

} // namespace
} // namespace lumvane
