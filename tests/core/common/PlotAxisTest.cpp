#include "core/common/PlotAxis.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(NiceAxis, RoundStepsAroundTheValues)
{
    const struct {
        double minimum, maximum;
        int maxTicks;
        double low, high, step;
    } cases[] = {
        { 0.3, 9.7, 6, 0.0, 10.0, 2.0 },
        { 12.31, 12.87, 5, 12.2, 13.0, 0.2 },
        { -7.6, -7.4, 3, -7.6, -7.4, 0.1 },
        { 5.0, 5.0, 5, 4.5, 5.5, 0.5 },
        { 0.0041, 0.0183, 8, 0.0, 0.02, 0.005 },
    };
    for (const auto& c : cases) {
        const PlotAxis axis = NiceAxis(c.minimum, c.maximum, c.maxTicks);
        EXPECT_NEAR(axis.low, c.low, 1e-9) << c.minimum << ".." << c.maximum;
        EXPECT_NEAR(axis.high, c.high, 1e-9) << c.minimum << ".." << c.maximum;
        EXPECT_NEAR(axis.step, c.step, 1e-12) << c.minimum << ".." << c.maximum;
        ASSERT_FALSE(axis.ticks.empty());
        EXPECT_LE(static_cast<int>(axis.ticks.size()), c.maxTicks);
        EXPECT_NEAR(axis.ticks.front(), axis.low, 1e-9);
        EXPECT_NEAR(axis.ticks.back(), axis.high, 1e-9);
    }
    // On a fixed range only the ticks inside it.
    EXPECT_EQ(TicksWithin(0.3, 9.7, 6), (std::vector<double> { 2, 4, 6, 8 }));
    EXPECT_EQ(TicksWithin(900, 3100, 6), (std::vector<double> { 1000, 2000, 3000 }));
    // 3 x 0.1 lies a rounding error above 0.3, and is still its edge tick.
    EXPECT_EQ(TicksWithin(0.0, 0.3, 4).size(), 4U);
}

} // namespace
} // namespace lumvane
