#include "core/display/CursorReadout.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lumvane {
namespace {

struct ReadoutCase {
    const char* what;
    ViewPoint viewPixel;
    ViewPosition scroll;
    std::string x, y, value;
};

// A 200 x 100 image whose cell (x, y) holds the physical count 1000 x + y,
// except (120, 87), which holds the stored sample -32000 (physical 767).
ImagePlane NumberedImage()
{
    ImagePlane img(200, 100);
    for (int y = 1; y <= 100; ++y)
        for (int x = 1; x <= 200; ++x)
            img.At(x, y) = static_cast<std::int16_t>(x * 100 + y - kPhysicalOffset);
    img.At(120, 87) = -32000;
    return img;
}

TEST(CursorReadout, PanelsShowTheImagePointUnderTheCursorAndItsPhysicalCount)
{
    const ImagePlane img = NumberedImage();
    const ReadoutCase cases[] = {
        { "the stored -32000 reads 767", { 118, 11 }, {}, "X = 120", "Y = 87", "Value = 767" },
        { "scrolled: (X + h + 2, H - Y - v - 2)", { 10, 20 }, { 50, 30 }, "X = 62", "Y = 48", "Value = 6248" },
        { "fractions are floored", { 10.5, 20.25 }, {}, "X = 12", "Y = 77", "Value = 1277" },
        { "the corners of the image", { -1, 97 }, {}, "X = 1", "Y = 1", "Value = 101" },
        { "top right", { 198, -2 }, {}, "X = 200", "Y = 100", "Value = 20100" },
        { "left of column 1", { -1.5, 50 }, {}, "X = 0", "Y = 48", "Value =" },
        { "negative coordinates", { -4, 99 }, {}, "X =-2", "Y =-1", "Value =" },
        { "right of column W", { 199, 50 }, {}, "X = 201", "Y = 48", "Value =" },
        { "above row H", { 10, -2.5 }, {}, "X = 12", "Y = 100", "Value = 1300" },
        { "above row H", { 10, -3 }, {}, "X = 12", "Y = 101", "Value =" },
    };
    for (const ReadoutCase& c : cases) {
        const CursorReadout readout = ReadCursorOnView(img, c.viewPixel, c.scroll, img.Height());
        EXPECT_EQ(readout.xText, c.x) << c.what;
        EXPECT_EQ(readout.yText, c.y) << c.what;
        EXPECT_EQ(readout.valueText, c.value) << c.what;
    }
}

TEST(CursorReadout, NoImageReadsNoValue)
{
    const CursorReadout readout = ReadCursorOnView(ImagePlane {}, { 3, 4 }, {}, 0);
    EXPECT_EQ(readout.xText, "X = 5");
    EXPECT_EQ(readout.yText, "Y =-6");
    EXPECT_EQ(readout.value, std::nullopt);
    EXPECT_EQ(readout.valueText, "Value =");
}

} // namespace
} // namespace lumvane
