#include "core/image/HeaderTarget.h"

#include "support/FitsWriter.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

using test::Card;
using test::HeaderBlocks;
using test::ValueCard;

std::string Header(const std::vector<std::string>& extra)
{
    std::vector<std::string> cards = test::ImageCards(4, 4);
    cards.insert(cards.end(), extra.begin(), extra.end());
    return HeaderBlocks(cards);
}

struct TargetCase {
    std::vector<std::string> cards;
    std::optional<SkyPosition> target;
};

TEST(HeaderTargetPosition, DegreesOrSexagesimal)
{
    constexpr double kRa = (5.0 + 34.0 / 60.0 + 31.94 / 3600.0) * 15.0;
    constexpr double kDec = 22.0 + 52.2 / 3600.0;
    const TargetCase cases[] = {
        { { ValueCard("RA", "83.633083"), ValueCard("DEC", "22.0145") }, SkyPosition { 83.633083, 22.0145 } },
        { { ValueCard("RA", "'05 34 31.94'"), ValueCard("DEC", "'+22 00 52.2'") }, SkyPosition { kRa, kDec } },
        { { ValueCard("OBJCTRA", "'05 34 31.94'"), ValueCard("OBJCTDEC", "'+22 00 52.2'") },
            SkyPosition { kRa, kDec } },
        // A negative declination under one degree keeps its sign.
        { { ValueCard("RA", "'12 00 00'"), ValueCard("DEC", "'-00 30 00'") }, SkyPosition { 180.0, -0.5 } },
        // A quoted single number is degrees for both.
        { { ValueCard("RA", "'201.365'"), ValueCard("DEC", "'-43.019'") }, SkyPosition { 201.365, -43.019 } },
        // RA and DEC first; a pair that is incomplete gives way to the other.
        { { ValueCard("OBJCTRA", "'00 00 00'"), ValueCard("OBJCTDEC", "'+00 00 00'"), ValueCard("RA", "10.5"),
              ValueCard("DEC", "-5.25") },
            SkyPosition { 10.5, -5.25 } },
        { { ValueCard("RA", "10.5"), ValueCard("OBJCTRA", "'01 00 00'"), ValueCard("OBJCTDEC", "'+10 00 00'") },
            SkyPosition { 15.0, 10.0 } },
        // Nothing usable.
        { { ValueCard("RA", "10.5") }, std::nullopt },
        { { ValueCard("RA", "'24 00 00'"), ValueCard("DEC", "'+10 00 00'") }, std::nullopt },
        { { ValueCard("RA", "'10 61 00'"), ValueCard("DEC", "'+10 00 00'") }, std::nullopt },
        { { ValueCard("RA", "'unknown'"), ValueCard("DEC", "'unknown'") }, std::nullopt },
    };
    for (const TargetCase& c : cases) {
        const auto target = HeaderTargetPosition(Header(c.cards));
        ASSERT_EQ(target.has_value(), c.target.has_value()) << (c.cards.empty() ? "" : c.cards.front());
        if (target) {
            EXPECT_NEAR(target->rightAscension, c.target->rightAscension, 1e-9) << c.cards.front();
            EXPECT_NEAR(target->declination, c.target->declination, 1e-9) << c.cards.front();
        }
    }
}

TEST(HeaderFilterName, TheCardsValueWithoutBlanks)
{
    EXPECT_EQ(HeaderFilterName(Header({ ValueCard("FILTER", "'V       '") })), "V");
    EXPECT_EQ(HeaderFilterName(Header({ ValueCard("FILTER", "'Johnson V' / the filter") })), "Johnson V");
    EXPECT_EQ(HeaderFilterName(Header({ ValueCard("FILTER", "''") })), "");
    // A comment card that happens to mention the filter is no value.
    EXPECT_EQ(HeaderFilterName(Header({ Card("FILTER  used: R") })), "");
}

TEST(HeaderAirmass, AirmassElseSeczAtLeastOne)
{
    const std::pair<std::vector<std::string>, std::optional<double>> cases[] = {
        { { ValueCard("AIRMASS", "1.2345 / at mid-exposure") }, 1.2345 },
        { { ValueCard("SECZ", "'2.5'"), ValueCard("AIRMASS", "'unknown'") }, 2.5 },
        { { ValueCard("AIRMASS", "1.5"), ValueCard("SECZ", "2.0") }, 1.5 },
        { { ValueCard("AIRMASS", "0.9") }, std::nullopt },
        { {}, std::nullopt },
    };
    for (const auto& [cards, airmass] : cases)
        EXPECT_EQ(HeaderAirmass(Header(cards)), airmass) << (cards.empty() ? "" : cards.front());
}

} // namespace
} // namespace lumvane
