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

TEST(FlatField, DividesByTheFlatNormalisedToItsMean)
{
    ImagePlane flat = UniformImage(2, 2, 20000);
    SetPhysical(flat, 1, 1, 10000);
    SetPhysical(flat, 2, 1, 30000); // mean (10000 + 30000 + 2 x 20000) / 4 = 20000
    const auto mean = FlatMean(flat, flat, 2, 2);
    ASSERT_TRUE(mean.has_value());
    EXPECT_EQ(*mean, 20000.0F);

    ImagePlane img = UniformImage(2, 2, 3000);
    SetPhysical(img, 2, 1, 60000);
    SetPhysical(img, 2, 2, 45001);
    ASSERT_TRUE(FlatField(img, flat, *mean));
    EXPECT_EQ(Physical(img.At(1, 1)), 6000); // 3000 x 20000 / 10000
    EXPECT_EQ(Physical(img.At(1, 2)), 3000);
    EXPECT_EQ(Physical(img.At(2, 1)), 40000); // 60000 x 20000 / 30000
    EXPECT_EQ(Physical(img.At(2, 2)), 45001);
}

TEST(FlatField, PixelsThatCannotBeStoredKeepTheirValue)
{
    ImagePlane flat = UniformImage(3, 1, 10000);
    SetPhysical(flat, 3, 1, 0);
    ImagePlane img = UniformImage(3, 1, 3000);
    SetPhysical(img, 2, 1, 40000);
    ASSERT_TRUE(FlatField(img, flat, 20000.0F));
    EXPECT_EQ(Physical(img.At(1, 1)), 6000); // doubled: the flat is at half the mean
    EXPECT_EQ(Physical(img.At(2, 1)), 40000); // 80000 does not fit
    EXPECT_EQ(Physical(img.At(3, 1)), 3000); // a flat of physical 0
}

TEST(FlatField, RoundsTheStoredValueHalfToEven)
{
    // 3 x 1 / 2 = physical 1.5: the stored -32765.5 rounds to -32766, physical 1.
    ImagePlane img = UniformImage(1, 1, 3);
    ASSERT_TRUE(FlatField(img, UniformImage(1, 1, 2), 1.0F));
    EXPECT_EQ(Physical(img.At(1, 1)), 1);
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
