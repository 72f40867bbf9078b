#include "core/common/NumericValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lumvane {
namespace {

struct ValueCase {
    const char* text;
    double value;
};

TEST(NumericValue, TakesTheLeadingNumber)
{
    const ValueCase cases[] = {
        { "8", 8.0 },
        { "  4.7", 4.7 },
        { " 7 ", 7.0 },
        { "3,5", 3.0 }, // the decimal point is "." whatever the locale
        { "-.25", -0.25 },
        { "+12abc", 12.0 },
        { "1 2", 12.0 }, // blanks inside a number are skipped
        { "\t\r\n 16", 16.0 },
        { "1.5E3", 1500.0 },
        { "2.5D-1", 0.25 }, // D is an exponent too
        { "4E", 4.0 }, // an exponent without digits is not one
        { "", 0.0 },
        { "-", 0.0 },
        { ".", 0.0 },
        { "nan", 0.0 },
        { "abc", 0.0 },
        { "   32768 / comment", 32768.0 },
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(TypedNumber, ABlankBoxHoldsNoNumber)
{
    EXPECT_EQ(TypedNumber(""), std::nullopt);
    EXPECT_EQ(TypedNumber("   "), std::nullopt);
    EXPECT_EQ(TypedNumber(" 0"), 0.0);
    EXPECT_EQ(TypedNumber("abc"), 0.0); // typed, though no number
}

TEST(NumericValue, HugeNumbersAreInfiniteNotUndefined)
{
    EXPECT_TRUE(std::isinf(NumericValue("1e999")));
    EXPECT_NEAR(NumericValue(std::string(300, '9')) / 1e300, 1.0, 1e-12);
}

} // namespace
} // namespace lumvane
