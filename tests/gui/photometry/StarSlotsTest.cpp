#include "PhotometryFixture.h"

#include "core/photometry/StarSlots.h"
#include "core/results/RememberStar.h"
#include "core/results/ResultsFile.h"
#include "gui/photometry/ViewMarks.h"

#include <QAction>
#include <QFontMetrics>
#include <QPushButton>

namespace lumvane {
namespace {

using test::kBrightStar;
using test::kFaintStar;
using test::kGaussianStar;
using test::kSkyHeight;

class StarSlots : public test::PhotometryFixture {
protected:
    void SetUp() override { OpenSky(); }

    /// Where a slot's label is printed on the full-size picture for a star
    /// centred at (x, y): its top-left corner 10 columns left and 22 rows above.
    QRect LabelArea(float x, float y) const
    {
        const ViewPoint topLeft = ViewPointOfImage(StarLabelPosition(x, y), {}, kSkyHeight);
        const QFontMetrics metrics(form->font());
        return { static_cast<int>(topLeft.x), static_cast<int>(topLeft.y), 40, metrics.height() };
    }

    const ResultsTable& Table() { return form->RunSession().results; }
};

TEST_F(StarSlots, SixthSlotOnFileOneWritesItsCellsAndLabel)
{
    Type("txtr_2", QStringLiteral("5"));
    ClickOnView({ 60, 31 });
    const LastStar last = form->RunSession().lastStar;
    ASSERT_NEAR(last.centreX, kGaussianStar.x, 2.0);

    const QRect label = LabelArea(last.centreX, last.centreY);
    EXPECT_EQ(PixelsIn(FullSize(), label, StarLabelColour(5)), 0);
    EXPECT_FALSE(Find<QAction>("mnusave")->isEnabled());
    PressStar(5);

    // The last star as the core records it, with the radii now in the boxes.
    ResultsTable expected;
    RememberLastStar(expected, 5, 1, last, { 8, 0, 5, 0 });
    for (int row = 0; row <= 5; ++row)
        for (int column = 3; column <= 15; ++column)
            EXPECT_EQ(Table().Cell(column, row), expected.Cell(column, row)) << column << ", " << row;

    // "St 6" in cyan above the star, on the full-size and the visible picture.
    EXPECT_GT(PixelsIn(FullSize(), label, StarLabelColour(5)), 10);
    EXPECT_GT(PixelsIn(PicTwo()->Picture(), label, StarLabelColour(5)), 10);
    EXPECT_TRUE(Find<QAction>("mnusave")->isEnabled());
    EXPECT_EQ(Text("lblst1"), Text("lblsum"));
}

TEST_F(StarSlots, LabelsTakeTheirSlotColours)
{
    ClickOnView(kBrightStar);
    PressStar(0);
    EXPECT_GT(PixelsIn(FullSize(), LabelArea(38, 48), { 255, 255, 0 }), 10);
    ClickOnView(kFaintStar);
    PressStar(19);
    EXPECT_GT(PixelsIn(FullSize(), LabelArea(78, 48), { 255, 0, 255 }), 10);
    EXPECT_EQ(Table().Cell(4 + 2 * 19, 1), 2500.0F);
}

TEST_F(StarSlots, AStarNotFoundIsRememberedUnmeasuredWhereItWasClicked)
{
    dialogs.AnswerMessage(MessageAnswer::Ok);
    ClickOnView(test::kEmptySky);
    const QRect label = LabelArea(static_cast<float>(test::kEmptySky.x), static_cast<float>(test::kEmptySky.y));
    PressStar(0);
    EXPECT_EQ(Table().Status(0, 1, 0), MeasureStatus::Unmeasured);
    EXPECT_TRUE(Find<QAction>("mnusave")->isEnabled());
    EXPECT_GT(PixelsIn(FullSize(), label, StarLabelColour(0)), 10);
}

TEST_F(StarSlots, SaveDataWritesTheCoreResultsFile)
{
    Type("mtxtm1", QStringLiteral("10"));
    ClickOnView(kBrightStar);
    PressStar(0);
    ClickOnView(kFaintStar);
    PressStar(1);

    const QString fileName = File("night.txt");
    dialogs.AnswerInput(fileName);
    Trigger(QStringLiteral("mnusave"));
    ASSERT_EQ(dialogs.Shown().back().kind, test::ShownDialog::Kind::Input);
    EXPECT_EQ(dialogs.Shown().back().text, QStringLiteral("Enter path and filename of resultfile being saved."));
    EXPECT_EQ(dialogs.Shown().back().title, QStringLiteral("SAVE"));
    EXPECT_EQ(dialogs.Shown().back().defaultText, QStringLiteral("filename.txt"));

    const ResultsFileSettings settings { 10.0, true, { 8, 0, 0, 0 } };
    const Session& session = form->RunSession();
    const std::string expected = ResultsFileText(session.results, session.store.files, settings);
    EXPECT_EQ(test::ReadFileBytes(fileName.toStdString()), expected);
    EXPECT_NE(expected.find("Star 2"), std::string::npos);

    // Cancel writes nothing.
    dialogs.AnswerInput(std::nullopt);
    Trigger(QStringLiteral("mnusave"));
    EXPECT_FALSE(QFile::exists(File("filename.txt")));
}

} // namespace
} // namespace lumvane
