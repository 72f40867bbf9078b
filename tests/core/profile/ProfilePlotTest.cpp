#include "core/profile/ProfilePlot.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumvane {
namespace {

TEST(ProfilePlotScale, FieldBetween1000And3000)
{
    const std::vector<float> values
        = { 1000.0f, 2500.0f, 3000.0f, 1700.0f, 1200.0f, 2000.0f, 2999.0f, 1001.0f, 1500.0f, 2200.0f };
    const ProfilePlotBounds bounds = ProfilePlotScale(values);
    EXPECT_EQ(bounds.maximum, 3000.0f);
    EXPECT_EQ(bounds.minimum, 1000.0f);
    EXPECT_DOUBLE_EQ(bounds.top, 3200.0);
    EXPECT_DOUBLE_EQ(bounds.bottom, 800.0);
    EXPECT_DOUBLE_EQ(bounds.frameTop, 3100.0);
    EXPECT_DOUBLE_EQ(bounds.frameBottom, 900.0);
    EXPECT_DOUBLE_EQ(bounds.left, -1.0);
    EXPECT_DOUBLE_EQ(bounds.right, 11.0);
    EXPECT_DOUBLE_EQ(bounds.frameLeft, -0.5);
    EXPECT_DOUBLE_EQ(bounds.frameRight, 10.5);
}

TEST(ProfilePlotScale, UpperBoundNeverBelowZeroLowerNeverAbove65000)
{
    const std::vector<float> logs = { -2.0f, -1.5f, -1.0f };
    const ProfilePlotBounds low = ProfilePlotScale(logs);
    EXPECT_EQ(low.maximum, 0.0f);
    EXPECT_EQ(low.minimum, -2.0f);
    EXPECT_DOUBLE_EQ(low.top, 0.2);

    const std::vector<float> bright = { 65100.0f, 65534.0f };
    const ProfilePlotBounds high = ProfilePlotScale(bright);
    EXPECT_EQ(high.maximum, 65534.0f);
    EXPECT_EQ(high.minimum, 65000.0f);
}

TEST(ProfilePlotScale, EqualValuesLieOnAFlatLineAcrossTheMiddle)
{
    for (const float value : { 2000.0f, 0.0f, 6.9f }) {
        const std::vector<float> values(7, value);
        const ProfilePlotBounds bounds = ProfilePlotScale(values);
        EXPECT_GT(bounds.top, bounds.frameTop) << value;
        EXPECT_GT(bounds.frameTop, value) << value;
        EXPECT_LT(bounds.frameBottom, value) << value;
        EXPECT_GT(bounds.frameBottom, bounds.bottom) << value;
        EXPECT_NEAR((bounds.top + bounds.bottom) / 2.0, value, 1e-9 * (1.0 + value)) << value;
    }
}

} // namespace
} // namespace lumvane
