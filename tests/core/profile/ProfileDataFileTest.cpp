#include "core/profile/ProfileDataFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lumvane {
namespace {

TEST(ProfileDataText, ValuesFlooredToTenthsInPrintZonesOf14)
{
    // The last is a log profile's mean of 3000: ln 3000 = 8.006.
    const std::vector<float> values = { 1000.06f, 999.94f, 0.25f, static_cast<float>(std::log(3000.0)) };
    EXPECT_EQ(ProfileDataText(values),
        " 1             1000 \r\n"
        " 2             999.9 \r\n"
        " 3             .2 \r\n"
        " 4             8 \r\n");
}

TEST(ProfileDataText, NegativeValuesAndLongPointNumbers)
{
    std::vector<float> values(1234, 1234.56f);
    values[9] = -0.35f; // floored: -0.4
    const std::string text = ProfileDataText(values);
    EXPECT_EQ(text.substr(0, 24), " 1             1234.5 \r\n");
    EXPECT_NE(text.find("\r\n 10           -.4 \r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n 1234          1234.5 \r\n"));
    EXPECT_TRUE(ProfileDataText(std::vector<float> {}).empty());
}

TEST(FlooredToTenths, FloorsTowardsMinusInfinity)
{
    EXPECT_EQ(FlooredToTenths(1000.06f), 1000.0f);
    EXPECT_EQ(FlooredToTenths(12.34f), 12.3f);
    EXPECT_EQ(FlooredToTenths(-0.01f), -0.1f);
    EXPECT_EQ(FlooredToTenths(0.0f), 0.0f);
}

} // namespace
} // namespace lumvane
