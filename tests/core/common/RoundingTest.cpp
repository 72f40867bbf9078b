#include "core/common/Rounding.h"
#include "core/common/UniformRandom.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(0.4999), 0.0);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
    EXPECT_EQ(Floor(-0.5), -1.0);
    EXPECT_EQ(Truncate(-0.5), 0.0);
}

TEST(Rounding, SixteenBitFieldsKeepTheirValueWhenOutOfRange)
{
    std::int16_t field = 7;
    AssignRounded(field, 40000.0);
    EXPECT_EQ(field, 7);
    AssignRounded(field, -32768.4);
    EXPECT_EQ(field, -32768);
    AssignRounded(field, 32767.5); // rounds to 32768: out of range
    EXPECT_EQ(field, -32768);
    AssignRounded(field, 2.5);
    EXPECT_EQ(field, 2);
    EXPECT_FALSE(RoundToInt16(0.0 / 0.0).has_value());
    EXPECT_FALSE(RoundToInt32(3.0e9).has_value());
}

TEST(UniformRandom, StartsTheSameSequenceEveryRunWithinZeroToOne)
{
    UniformRandom first;
    UniformRandom second;
    double sum = 0.0;
    for (int i = 0; i < 10000; ++i) {
        const double value = first.Next();
        ASSERT_EQ(value, second.Next());
        ASSERT_GE(value, 0.0);
        ASSERT_LT(value, 1.0);
        sum += value;
    }
    EXPECT_NEAR(sum / 10000.0, 0.5, 0.02);
}

} // namespace
} // namespace lumvane
