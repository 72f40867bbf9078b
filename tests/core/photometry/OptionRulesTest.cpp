#include "core/photometry/OptionRules.h"

#include <gtest/gtest.h>

#include <functional>

namespace lumvane {
namespace {

using Check = std::function<std::optional<TextCorrection>(std::string_view)>;

struct Typed {
    std::string text;
    int beeps = 0;
};

/// Types the keys one by one into a box whose change runs `check`; a
/// replaced text raises the change again.
Typed TypeInto(const Check& check, std::string text, std::string_view keys)
{
    Typed box { std::move(text), 0 };
    for (const char key : keys) {
        box.text += key;
        for (int changes = 0; auto correction = check(box.text); ++changes) {
            if (changes == 2) {
                ADD_FAILURE() << "the corrected text '" << box.text << "' must pass its own check";
                break;
            }
            box.text = correction->text;
            box.beeps += correction->beep ? 1 : 0;
        }
    }
    return box;
}

TEST(LimitChecks, KeystrokeByKeystroke)
{
    const struct {
        const char* box;
        Check check;
        const char* start;
        const char* keys;
        const char* text;
        int beeps;
    } cases[] = {
        { "txtr", CheckRadiusText, "", "17", "16", 0 },
        { "txtr", CheckRadiusText, "", "0", "", 0 },
        { "txtr", CheckRadiusText, "", "16", "16", 0 },
        { "txtr", CheckRadiusText, "", "12.5", "12.5", 0 },
        { "txtr", CheckRadiusText, "", "-5", "5", 0 }, // "-" alone counts 0
        { "txtr", CheckRadiusText, "8", "0", "16", 0 },
        { "txtmp", CheckSearchText, "", "7", "5", 0 },
        { "txtmp", CheckSearchText, "", "-1", "0", 0 },
        { "txtmp", CheckSearchText, "", "0", "0", 0 },
        { "TROptR1", CheckInnerFactorText, "", "0", "1", 1 },
        { "TROptR1", CheckInnerFactorText, "", "0.5", "1.5", 1 }, // 0.5 can't be typed key by key
        { "TROptR1", CheckInnerFactorText, "", "2", "2", 0 },
        { "TROptMedian", CheckMedianText, "", "45", "30", 1 },
        { "TROptMedian", CheckMedianText, "", "30", "30", 0 },
        { "TROptMedian", CheckMedianText, "", "-", "-", 0 },
        { "TROptMedian", CheckMedianText, "", "-1", "0", 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.box << " '" << c.start << "' + '" << c.keys << "'");
        const Typed typed = TypeInto(c.check, c.start, c.keys);
        EXPECT_EQ(typed.text, c.text);
        EXPECT_EQ(typed.beeps, c.beeps);
    }
}

TEST(LimitChecks, PastedValuesArriveWhole)
{
    EXPECT_FALSE(CheckInnerFactorText("0.5"));
    EXPECT_FALSE(CheckInnerFactorText("0.1"));
    EXPECT_EQ(CheckInnerFactorText(""), (TextCorrection { "1", true }));
    EXPECT_EQ(CheckRadiusText("99"), (TextCorrection { "16", false }));
    EXPECT_FALSE(CheckRadiusText(""));
    EXPECT_FALSE(CheckSearchText("abc")); // no number: 0
}

TEST(ApplyOptions, RefusesAnOuterFactorNotAboveTheInnerAndChangesNothing)
{
    EXPECT_EQ(kOuterRadiusMessage, "Outer radius should be bigger than inner");
    EXPECT_EQ(kOuterRadiusTitle, "Error!");
    for (const auto& [inner, outer] : { std::pair { "2.0", "2.0" }, { "2.0", "1.5" }, { "1.0", "" } }) {
        SCOPED_TRACE(testing::Message() << inner << " .. " << outer);
        OptionsTab tab;
        tab.inner = inner;
        tab.outer = outer;
        OptionsInForce inForce;
        EXPECT_FALSE(ApplyOptions(tab, inForce));
        EXPECT_EQ(inForce.options, PhotometryOptions {});
        EXPECT_EQ(inForce.record, "");
        EXPECT_FALSE(inForce.changed);
    }

    // A refusal after an Apply keeps what that Apply set.
    OptionsTab tab;
    tab.inner = "1.5";
    tab.outer = "3";
    OptionsInForce inForce;
    ASSERT_TRUE(ApplyOptions(tab, inForce));
    tab.outer = "1.5";
    tab.median = "25";
    EXPECT_FALSE(ApplyOptions(tab, inForce));
    EXPECT_EQ(inForce.options, (PhotometryOptions { 1.5F, 3.0F, 10.0F }));
    EXPECT_EQ(inForce.record, "25402011");
}

TEST(ApplyOptions, SetsTheOptionsTheRecordAndTheChangedFlag)
{
    const struct {
        const char *inner, *outer, *median;
        bool maxMethod, saveRelative;
        PhotometryOptions options;
        const char* record;
    } cases[] = {
        { "1.0", "2.0", "10", true, true, { 1, 2, 10 }, "20302011" },
        { "1.0", "2.0", "10", true, false, { 1, 2, 10 }, "20302010" },
        { "1.5", "3", "20", false, true, { 1.5F, 3, 20 }, "25403001" },
        { "1.25", "2", "0", true, true, { 1.25F, 2, 0 }, "22301011" }, // 22.5 keeps "22"
        { "9.5", "10", "30", true, true, { 9.5F, 10, 30 }, "10114011" }, // 105 and 110 keep "10" and "11"
        { "0.1", "8.9", "5", false, false, { 0.1F, 8.9F, 5 }, "11991500" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        const OptionsTab tab { c.inner, c.outer, c.median, c.maxMethod, c.saveRelative };
        OptionsInForce inForce;
        ASSERT_TRUE(ApplyOptions(tab, inForce));
        EXPECT_EQ(inForce.options, c.options);
        EXPECT_EQ(inForce.record, c.record);
        EXPECT_TRUE(inForce.changed);
    }
}

TEST(StartUpOptions, CorrectTheValuesButNotTheBoxes)
{
    const struct {
        const char *inner, *outer, *median;
        PhotometryOptions options;
    } cases[] = {
        { "1.0", "2.0", "10", { 1, 2, 10 } },
        { "0", "2.0", "10", { 1, 2, 10 } },
        { "0.05", "2.0", "10", { 1, 2, 10 } },
        { "0.1", "2.0", "10", { 0.1F, 2, 10 } },
        { "1.5", "1.5", "10", { 1.5F, 2.5F, 10 } },
        { "2", "1", "10", { 2, 3, 10 } },
        { "0", "0.5", "10", { 1, 2, 10 } }, // the outer factor is tested against the corrected inner one
        { "1", "2", "31", { 1, 2, 10 } },
        { "1", "2", "-1", { 1, 2, 10 } },
        { "1", "2", "30", { 1, 2, 30 } },
        { "1", "2", "0", { 1, 2, 0 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inner << ' ' << c.outer << ' ' << c.median);
        EXPECT_EQ(StartUpOptions(OptionsTab { c.inner, c.outer, c.median, true, true }), c.options);
    }
}

} // namespace
} // namespace lumvane
