#include "core/display/RenderImage.h"

#include "core/display/LevelPalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace lumvane {
namespace {

// A plane whose cell (x, y) holds the physical count 1000 + 10 x + y, and a
// colour table that gives each such count its own level, so a rendered pixel
// tells which cell it shows.
class RenderImageTest : public ::testing::Test {
protected:
    static ImagePlane NumberedPlane(int width, int height)
    {
        ImagePlane plane(width, height);
        for (int y = 1; y <= height; ++y) {
            for (int x = 1; x <= width; ++x)
                plane.At(x, y) = static_cast<std::int16_t>(1000 + 10 * x + y - kPhysicalOffset);
        }
        return plane;
    }

    // Linear cuts with one level per count: level = p - 1000 for p in 1000..1015.
    static std::uint32_t ColourOfCount(int physical)
    {
        const int level = std::clamp(physical - 1000, 0, 15);
        return PackedColour(kLevelPalette[static_cast<std::size_t>(level)]);
    }

    const ColourTable colours { { 1000, 1015 }, LevelScale::Linear };
};

TEST_F(RenderImageTest, WholeImagePutsPointXYAtColumnXMinus1RowHMinusY)
{
    ImagePlane plane(3, 2);
    for (int y = 1; y <= 2; ++y) {
        for (int x = 1; x <= 3; ++x)
            plane.At(x, y) = static_cast<std::int16_t>(1000 + 4 * x + y - 4 - kPhysicalOffset);
    }
    const RgbImage picture = RenderWholeImage(plane, colours);
    for (int y = 1; y <= 2; ++y) {
        for (int x = 1; x <= 3; ++x) {
            EXPECT_EQ(
                picture.pixels[static_cast<std::size_t>((2 - y) * 3 + x - 1)], ColourOfCount(1000 + 4 * x + y - 4))
                << x << ", " << y;
        }
    }
}

TEST_F(RenderImageTest, FullSizeViewShowsPointXYAtColumnXMinus2RowHMinus2MinusY)
{
    const int width = 8;
    const int height = 7;
    const RenderWindow window = FullSizeViewWindow(width, height);
    EXPECT_EQ(window.width, 4);
    EXPECT_EQ(window.height, 3);

    // Levels from the cells' counts through a table with one level per x.
    ImagePlane plane(width, height);
    for (int y = 1; y <= height; ++y) {
        for (int x = 1; x <= width; ++x)
            plane.At(x, y) = static_cast<std::int16_t>(1000 + x - kPhysicalOffset);
    }
    // A bright marker at image point (3, 4): column 1, row 7 - 2 - 4 = 1.
    plane.At(3, 4) = static_cast<std::int16_t>(1015 - kPhysicalOffset);
    std::vector<std::uint32_t> pixels(12, 0);
    RenderImage(plane, colours, window, pixels.data(), 4);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int x = column + 2;
            const bool marker = column == 1 && row == 1;
            EXPECT_EQ(pixels[static_cast<std::size_t>(row * 4 + column)], ColourOfCount(marker ? 1015 : 1000 + x))
                << column << ", " << row;
        }
    }
}

TEST_F(RenderImageTest, LeavesPixelsOutsideThePlaneAndHonoursTheStride)
{
    const ImagePlane plane = NumberedPlane(1, 1); // one cell, count 1011
    // A window one pixel larger than the plane on every side, in rows of 5.
    const RenderWindow window { 3, 3, 0, 2 };
    std::vector<std::uint32_t> pixels(15, 7U);
    RenderImage(plane, colours, window, pixels.data(), 5);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        EXPECT_EQ(pixels[i], i == 6 ? ColourOfCount(1011) : 7U) << i;

    std::vector<std::uint32_t> untouched(4, 7U);
    RenderImage(ImagePlane(), colours, FullSizeViewWindow(2, 2), untouched.data(), 2);
    RenderImage(plane, colours, { 2, 2, 5, 9 }, untouched.data(), 2);
    EXPECT_EQ(untouched, std::vector<std::uint32_t>(4, 7U));
}

} // namespace
} // namespace lumvane
