#include "core/photometry/StarSlots.h"

#include "core/photometry/ClickPhotometry.h"
#include "support/SyntheticSky.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(StarSlots, LabelsAndTheirColours)
{
    const Rgb yellow { 255, 255, 0 };
    const Rgb cyan { 0, 255, 255 };
    const Rgb magenta { 255, 0, 255 };
    const struct {
        int slot;
        const char* label;
        Rgb colour;
    } cases[] = {
        { 0, "St1", yellow },
        { 1, "St 2", cyan },
        { 5, "St 6", cyan },
        { 8, "St 9", cyan },
        { 9, "St 10", cyan },
        { 18, "St 19", cyan },
        { 19, "Var 1", magenta },
        { 22, "Var 4", magenta },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(StarLabel(c.slot), c.label);
        EXPECT_EQ(StarLabelColour(c.slot), c.colour);
    }
}

TEST(StarSlots, LabelSitsTenColumnsLeftAnd22RowsAboveTheCentre)
{
    EXPECT_EQ(StarLabelPosition(30.0F, 40.0F), (ViewPoint { 20.0, 62.0 }));
    EXPECT_EQ(StarLabelPosition(5.5F, 0.25F), (ViewPoint { -4.5, 22.25 }));
}

TEST(StarSlots, ADiaphragmSkippedOnTheLastClickRecordsAnEarlierClick)
{
    ImagePlane img = test::UniformImage(60, 60, 1000);
    test::AddStar(img, 20, 20, 40'000, 1.5);
    test::AddStar(img, 40, 40, 10'000, 1.5);
    ClickSettings settings;
    LastStar last;
    settings.radiusTexts = { "8", "6", "", "" };
    const ClickResult first = MeasureClick(img, 20, 20, settings, {}, last);
    settings.radiusTexts = { "8", "", "", "12.5" };
    const ClickResult second = MeasureClick(img, 40, 40, settings, {}, last);

    // btnstar(5) while the file number is 1.
    ResultsTable table;
    ASSERT_TRUE(RememberStar(table, 5, 1, StarRecordOf(last, settings.radiusTexts)));
    EXPECT_EQ(table.Cell(14, 1), second.diaphragms[0].measurement.starNet);
    EXPECT_EQ(table.Cell(14, 2), first.diaphragms[1].measurement.starNet);
    EXPECT_EQ(table.Cell(15, 2), first.diaphragms[1].measurement.magError);
    // The centre is that of the last diaphragm measured.
    EXPECT_EQ(table.Cell(14, 5), second.diaphragms[3].measurement.centreX);
    EXPECT_EQ(table.Cell(15, 5), second.diaphragms[3].measurement.centreY);
    EXPECT_NE(table.Cell(14, 5), 0.0F);
    EXPECT_EQ(table.Cell(3, 1), 8.0F);
    EXPECT_EQ(table.Cell(3, 2), 0.0F); // the box is empty now
    EXPECT_EQ(table.Cell(3, 4), 12.5F); // the radius as typed, not floored
}

} // namespace
} // namespace lumvane
