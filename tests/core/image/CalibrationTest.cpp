#include "core/image/Calibration.h"

#include "support/SyntheticSky.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

using test::SetPhysical;
using test::UniformImage;

TEST(DarkSubtract, SubtractsPhysicalCountsAndNeverGoesBelowZero)
{
    ImagePlane img = UniformImage(3, 1, 0);
    SetPhysical(img, 1, 1, 1000);
    SetPhysical(img, 2, 1, 150);
    SetPhysical(img, 3, 1, 200);
    ASSERT_TRUE(DarkSubtract(img, UniformImage(3, 1, 200)));
    EXPECT_EQ(Physical(img.At(1, 1)), 800);
    EXPECT_EQ(Physical(img.At(2, 1)), 0);
    EXPECT_EQ(Physical(img.At(3, 1)), 0);
    EXPECT_EQ(img.At(0, 1), 0); // the zero column is not touched
}

TEST(FlatField, DividesByTheFlatNormalisedToItsMeanWhereTheResultCanBeStored)
{
    ImagePlane flat = UniformImage(2, 2, 20000);
    SetPhysical(flat, 1, 1, 10000);
    SetPhysical(flat, 2, 1, 30000); // mean (10000 + 30000 + 2 x 20000) / 4 = 20000
    EXPECT_EQ(FlatMean(flat, flat, 2, 2), 20000.0F);

    // Pixel by pixel at a flat mean of 20000: the physical flat, image and result.
    const int cases[][3] = {
        { 10000, 3000, 6000 }, { 20000, 3000, 3000 }, { 30000, 60000, 40000 }, { 20000, 45001, 45001 },
        { 10000, 40000, 40000 }, // 80000 cannot be stored: the pixel keeps its value
        { 0, 3000, 3000 }, // nor can a flat of physical 0 divide
        { 40000, 3, 1 }, // 1.5: the stored -32765.5 rounds half to even to -32766
    };
    const int width = static_cast<int>(std::size(cases));
    flat = UniformImage(width, 1, 0);
    ImagePlane img = UniformImage(width, 1, 0);
    for (int x = 1; x <= width; ++x) {
        SetPhysical(flat, x, 1, cases[x - 1][0]);
        SetPhysical(img, x, 1, cases[x - 1][1]);
    }
    ASSERT_TRUE(FlatField(img, flat, 20000.0F));
    for (int x = 1; x <= width; ++x)
        EXPECT_EQ(Physical(img.At(x, 1)), cases[x - 1][2]) << "pixel " << x;
}

TEST(Calibration, FramesSmallerThanTheImageAreRefusedAndChangeNothing)
{
    ImagePlane img = UniformImage(4, 4, 5000);
    EXPECT_FALSE(DarkSubtract(img, UniformImage(3, 4, 100)));
    EXPECT_FALSE(FlatField(img, UniformImage(4, 3, 100), 100.0F));
    EXPECT_FALSE(FlatMean(UniformImage(4, 3, 100), img, 4, 3).has_value());
    EXPECT_FALSE(DarkSubtract(img, ImagePlane {}));
    for (int y = 1; y <= 4; ++y)
        for (int x = 1; x <= 4; ++x)
            ASSERT_EQ(Physical(img.At(x, y)), 5000);
}

TEST(Calibration, LargerFramesAreUsedInTheImagesCells)
{
    ImagePlane dark = UniformImage(5, 5, 900);
    SetPhysical(dark, 1, 1, 100);
    ImagePlane img = UniformImage(2, 2, 1000);
    ASSERT_TRUE(DarkSubtract(img, dark));
    EXPECT_EQ(Physical(img.At(1, 1)), 900);
    EXPECT_EQ(Physical(img.At(2, 2)), 100);

    // The sum covers the image's 4 cells while the mean divides by the
    // frame's NAXIS1 x NAXIS2.
    const auto mean = FlatMean(UniformImage(4, 4, 20000), img, 4, 4);
    ASSERT_TRUE(mean.has_value());
    EXPECT_EQ(*mean, 4 * (20000.0F - 32767.0F) / 4.0F / 4.0F + 32767.0F);
    EXPECT_FALSE(FlatMean(UniformImage(4, 4, 20000), img, 0, 4).has_value());
}

} // namespace
} // namespace lumvane
