#include "core/display/LevelRule.h"
#include "core/display/ColourTable.h"
#include "core/display/LevelPalette.h"
#include "core/image/ImagePlane.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace lumvane {
namespace {

struct LevelCase {
    int physical;
    DisplayCuts cuts;
    LevelScale scale;
    int level;
};

class PixelLevelTest : public ::testing::TestWithParam<LevelCase> { };

TEST_P(PixelLevelTest, GivesTheLevelOfTheRule)
{
    const LevelCase& c = GetParam();
    EXPECT_EQ(PixelLevel(c.physical, c.cuts, c.scale), c.level)
        << "p = " << c.physical << ", cuts " << c.cuts.black << " / " << c.cuts.white;
}

constexpr auto kLinear = LevelScale::Linear;
constexpr auto kLog = LevelScale::Logarithmic;
constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

INSTANTIATE_TEST_SUITE_P(LinearBoundaries, PixelLevelTest,
    ::testing::Values(
        // Steps of (2500 - 1000) / 15 = 100 above the black cut; 15 starts at the white cut.
        LevelCase { 900, { 1000, 2500 }, kLinear, 0 }, LevelCase { 1000, { 1000, 2500 }, kLinear, 0 },
        LevelCase { 1099, { 1000, 2500 }, kLinear, 0 }, LevelCase { 1100, { 1000, 2500 }, kLinear, 1 },
        LevelCase { 1850, { 1000, 2500 }, kLinear, 8 }, LevelCase { 2499, { 1000, 2500 }, kLinear, 14 },
        LevelCase { 2500, { 1000, 2500 }, kLinear, 15 }, LevelCase { 65534, { 1000, 2500 }, kLinear, 15 },
        // Exchanged cuts invert the picture (the negative view).
        LevelCase { 2500, { 2500, 1000 }, kLinear, 0 }, LevelCase { 1000, { 2500, 1000 }, kLinear, 15 },
        LevelCase { 1901, { 2500, 1000 }, kLinear, 5 },
        // Below the black cut the truncating division still clamps to 0.
        LevelCase { 0, { 200, 700 }, kLinear, 0 }, LevelCase { -150, { -100, 50 }, kLinear, 0 }));

INSTANTIATE_TEST_SUITE_P(Logarithmic, PixelLevelTest,
    ::testing::Values(
        // 15 ln 10 / ln 100 = 7.5: the largest integer not above it.
        LevelCase { 1000, { 100, 10000 }, kLog, 7 }, LevelCase { 100, { 100, 10000 }, kLog, 0 },
        LevelCase { 99, { 100, 10000 }, kLog, 0 }, LevelCase { 10000, { 100, 10000 }, kLog, 15 },
        LevelCase { 9999, { 100, 10000 }, kLog, 14 }, LevelCase { 60000, { 100, 10000 }, kLog, 15 },
        // Equal ratios: 100 x 100^(k/15) starts level k.
        LevelCase { 136, { 100, 10000 }, kLog, 1 }, LevelCase { 135, { 100, 10000 }, kLog, 0 }));

INSTANTIATE_TEST_SUITE_P(Uncomputable, PixelLevelTest,
    ::testing::Values(
        // Equal cuts, and in log mode a count, black or white cut not above 0: level 0.
        LevelCase { 500, { 700, 700 }, kLinear, 0 }, LevelCase { 900, { 700, 700 }, kLinear, 0 },
        LevelCase { 900, { 700, 700 }, kLog, 0 }, LevelCase { 0, { 100, 10000 }, kLog, 0 },
        LevelCase { 5000, { 0, 10000 }, kLog, 0 }, LevelCase { 5000, { -10, 10000 }, kLog, 0 },
        LevelCase { 5000, { 100, -10000 }, kLog, 0 }));

INSTANTIATE_TEST_SUITE_P(NoOverflow, PixelLevelTest,
    ::testing::Values(
        // 15 x (p - lo) and hi - lo exceed 32 bits; 15 x 2^31 / (2^32 - 1) = 7.5.
        LevelCase { 0, { kIntMin, kIntMax }, kLinear, 7 }, LevelCase { 65534, { kIntMax, kIntMin }, kLinear, 7 },
        LevelCase { 65534, { kIntMin, -kIntMax }, kLinear, 15 }, LevelCase { 1, { 1, kIntMax }, kLog, 0 }));

TEST(RenderCuts, ReadsTheIntegerPartOfTheCutTextsWithDefaultsForZero)
{
    struct Case {
        std::string black;
        std::string white;
        DisplayCuts cuts;
    };
    const Case cases[] = {
        { "", "", { 200, 700 } },
        { " 31128", " 63895", { 31128, 63895 } },
        { "1500.9", "2500.2", { 1500, 2500 } },
        { "-3.5", "0", { -4, 700 } },
        { "0", "-0.5", { 200, -1 } },
        { "abc", "12abc", { 200, 12 } },
        { "0.4", "1e20", { 200, kIntMax } },
        { "-1e20", "2.5e3", { kIntMin, 2500 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(RenderCutsFromTexts(c.black, c.white), c.cuts) << '"' << c.black << "\" \"" << c.white << '"';
}

TEST(ColourTable, HoldsThePaletteColourOfEachStoredValue)
{
    const ColourTable linear({ 1000, 2500 }, LevelScale::Linear);
    auto colour = [](int level) { return PackedColour(kLevelPalette[static_cast<std::size_t>(level)]); };
    auto stored = [](int physical) { return static_cast<std::int16_t>(physical - kPhysicalOffset); };
    EXPECT_EQ(linear.Colour(stored(1100)), colour(1));
    EXPECT_EQ(linear.Colour(stored(2500)), colour(15));
    EXPECT_EQ(linear.Colour(std::numeric_limits<std::int16_t>::min()), colour(0));
    EXPECT_EQ(linear.Colour(std::numeric_limits<std::int16_t>::max()), colour(15));
    EXPECT_EQ(linear.Lookup()[stored(1100)], colour(1));

    // A physical 0 beside bright pixels draws black in log mode, never its
    // neighbour's colour.
    const ColourTable log({ 100, 10000 }, LevelScale::Logarithmic);
    EXPECT_EQ(log.Colour(stored(1000)), PackedColour({ 192, 192, 192 }));
    EXPECT_EQ(log.Colour(stored(0)), PackedColour({ 0, 0, 0 }));

    // The grey palette: 256 levels by the same rule, level L the grey (L, L, L).
    const ColourTable grey({ 1000, 2500 }, LevelScale::Linear, Palette::Grey);
    EXPECT_EQ(grey.Colour(stored(1005)), PackedColour({ 0, 0, 0 }));
    EXPECT_EQ(grey.Colour(stored(1006)), PackedColour({ 1, 1, 1 })); // 255 x 6 / 1500 = 1.02
    EXPECT_EQ(grey.Colour(stored(1750)), PackedColour({ 127, 127, 127 })); // 127.5
    EXPECT_EQ(grey.Colour(stored(2500)), PackedColour({ 255, 255, 255 }));
    // 255 x ln 10 / ln 100 = 127.5
    const ColourTable logGrey({ 100, 10000 }, LevelScale::Logarithmic, Palette::Grey);
    EXPECT_EQ(logGrey.Colour(stored(1000)), PackedColour({ 127, 127, 127 }));
}

TEST(LevelPalette, PacksColoursAsOpaqueRgb)
{
    EXPECT_EQ(PackedColour(kLevelPalette[1]), 0xFF000080U);
    EXPECT_EQ(PackedColour(kLevelPalette[7]), 0xFFC0C0C0U);
    EXPECT_EQ(PackedColour(kLevelPalette[12]), 0xFFFF0000U);
    EXPECT_EQ(UnpackedColour(0xFF102030U), (Rgb { 0x10, 0x20, 0x30 }));
}

} // namespace
} // namespace lumvane
