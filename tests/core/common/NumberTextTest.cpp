#include "core/common/NumberText.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

struct SingleCase {
    float value;
    const char* text;
};

TEST(NumberText, SinglePrecisionFollowsTheProgramsNumberRule)
{
    const SingleCase cases[] = {
        { 8.0F, " 8" },
        { 0.0F, " 0" },
        { -0.0F, " 0" },
        { 0.25F, " .25" },
        { -0.25F, "-.25" },
        { -20.5F, "-20.5" },
        { 0.1F, " .1" }, // the float nearest 0.1 is not written with its tail
        { 1234567.0F, " 1234567" }, // 7 digits still plain
        { 12345678.0F, " 1.234568E+07" }, // beyond them the exponent form
        { 0.0001F, " .0001" },
        { 0.00001F, " 1E-05" },
        { -0.000012345F, "-1.2345E-05" },
        { 65534.0F, " 65534" },
        { 9.99999F, " 9.99999" },
        { 1.0e30F, " 1E+30" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberText(c.value), c.text) << "value " << c.value;
}

TEST(NumberText, DoublePrecisionKeepsFifteenDigits)
{
    EXPECT_EQ(NumberText(-7.50000000108574), "-7.50000000108574");
    EXPECT_EQ(NumberText(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(NumberText(123456789012345.0), " 123456789012345");
    EXPECT_EQ(NumberText(1234567890123456.0), " 1.23456789012346E+15");
    EXPECT_EQ(NumberText(12345678.0), " 12345678");
    EXPECT_EQ(NumberText(0.5), " .5");
}

TEST(NumberText, IntegersInFull)
{
    EXPECT_EQ(NumberText(512), " 512");
    EXPECT_EQ(NumberText(-32767), "-32767");
    EXPECT_EQ(NumberText(std::int64_t { 0 }), " 0");
    EXPECT_EQ(PlainNumberText(NumberText(512)), "512");
    EXPECT_EQ(PlainNumberText(NumberText(-3)), "-3");
}

} // namespace
} // namespace lumvane
