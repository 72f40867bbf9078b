#include "PatrolFixture.h"

#include "support/CliRunner.h"

#include "core/results/ResultsTable.h"

#include "gui/patrol/PatrolDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace lumvane {
namespace {

using namespace test;

TEST_F(PatrolSeries, WalksTheNumberedFilesUntilOneIsMissing)
{
    WriteSeries(3);
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    bool openDisabled = false;
    WhenWaiting({ { 0, kSt1 }, { 1, kStar2 } }, [&] {
        // Waiting on file 1: the picture is up, Continue live, the opening commands off.
        openDisabled = !Find<QAction>("mnuopen")->isEnabled() && !Find<QAction>("mnufilepatr")->isEnabled();
        EXPECT_TRUE(Continue()->isEnabled());
    });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_TRUE(openDisabled);
    EXPECT_EQ(Messages(), (std::vector<std::string> { kStop, kDark, kFlat, kEnd }));
    EXPECT_EQ(dialogs.Shown()[1].title, QStringLiteral("Open First Patrol File"));
    EXPECT_EQ(dialogs.Shown().back().icon, MessageIcon::None);
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(FileNumber(), 3);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lumvane - ") + File("m31.003"));
    EXPECT_EQ(StatusText(4), QStringLiteral("Ready"));
    EXPECT_FALSE(Continue()->isEnabled());
    EXPECT_TRUE(Find<QAction>("mnuopen")->isEnabled());
    EXPECT_TRUE(Find<QAction>("mnufilepatr")->isEnabled());
    EXPECT_EQ(State(), PatrolState::Idle);
    // Declined: neither frame was read.
    EXPECT_EQ(form->RunSession().store.ds.Width(), 0);
    EXPECT_EQ(form->RunSession().store.ff.Width(), 0);

    // The second star was recorded on every file; following a drift is the walk's own rule.
    for (int f = 1; f <= 3; ++f)
        EXPECT_GT(Table().Cell(ResultsTable::NetColumn(1), ResultsTable::ValueRow(f, 0)), 15000.0F) << f;
}

TEST_F(PatrolSeries, ContinuePressedDuringTheWalkEndsWithTheOpenError)
{
    // The flag flipped back to 0 by a second press: the end reads as an error.
    WriteSeries(2);
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    WhenWaiting({ { 0, kSt1 } }, {}, [this] { QTest::mouseClick(Continue(), Qt::LeftButton); });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(Messages().back(), "ERROR: Error in Open procedure!");
    EXPECT_EQ(dialogs.Shown().back().icon, MessageIcon::Critical);
    EXPECT_EQ(FileNumber(), 2);
}

TEST_F(PatrolSeries, ALostMainStandardStopsTheWalkUntilItIsClickedAgain)
{
    // St1 on file 2 has a tenth of its counts: below a fifth of file 1's.
    WriteSeries(3, [](int f) { return f == 2 ? kSt1Flux / 10.0 : kSt1Flux; });
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok); // not found
    dialogs.AnswerMessage(MessageAnswer::Ok); // the end
    WhenWaiting({ { 0, kSt1 }, { 1, kStar2 } });
    bool waited = false;
    dialogs.OnShow([&](const ShownDialog& shown) {
        if (shown.title != QStringLiteral("Not found"))
            return;
        // The driver waits on file 2 with nothing of it recorded; the user
        // clicks St1 where it now is and presses Continue.
        WhenContinueWaits([&] {
            waited = FileNumber() == 2 && Continue()->isEnabled()
                && Table().Cell(ResultsTable::NetColumn(1), ResultsTable::ValueRow(2, 0)) == 0.0F;
            Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, QPointF(kSt1.x + 1, kSt1.y));
            QTest::mouseClick(Continue(), Qt::LeftButton);
        });
    });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_TRUE(waited);
    EXPECT_EQ(Messages(), (std::vector<std::string> { kStop, kDark, kFlat, kLost, kEnd }));
    EXPECT_EQ(FileNumber(), 3);
    // Once clicked, file 2's stars were measured from St1's new place, and file 3 followed.
    EXPECT_GT(Table().Cell(ResultsTable::NetColumn(1), ResultsTable::ValueRow(2, 0)), 15000.0F);
    EXPECT_GT(Table().Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(3, 0)), 30000.0F);
}

TEST_F(PatrolSeries, AClickWhileTheWalkRunsIsSilentAndCentresWithTheWalksSearchRadius)
{
    // Five pixels right of the second star: St1's radius (7 with "2") reaches
    // it, the box's 2 does not.
    WriteSeries(2);
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    const QPointF beside(kStar2.x + 5, kStar2.y);
    std::optional<float> duringWalk;
    WhenWaiting({ { 0, kSt1 } }, {}, [&] {
        // Shift held means no quick sum, and empty sky no message.
        Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::ShiftModifier, beside);
        duringWalk = form->RunSession().lastStar.centreX;
        Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, QPointF(50, 75));
        // The walk goes on from the last star clicked: St1, where it now is.
        Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, QPointF(kSt1.x + 1, kSt1.y));
    });
    Trigger(QStringLiteral("mnufilepatr"));
    ASSERT_TRUE(duringWalk.has_value());
    EXPECT_LE(std::abs(*duringWalk - static_cast<float>(kStar2.x)), 2.5F);
    EXPECT_EQ(Messages(), (std::vector<std::string> { kStop, kDark, kFlat, kEnd }));

    // No series: the box's radius.
    Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, beside);
    EXPECT_GE(std::abs(form->RunSession().lastStar.centreX - static_cast<float>(kStar2.x)), 3.0F);
}

TEST_F(PatrolSeries, ClosingTheWindowWhileWaitingEndsTheSeriesQuietly)
{
    WriteSeries(2);
    AnswerStart(File("m31.001"));
    QTimer::singleShot(0, form.get(), [this] { form->close(); });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(Messages(), (std::vector<std::string> { kStop, kDark, kFlat }));
    EXPECT_EQ(FileNumber(), 1);
    EXPECT_EQ(State(), PatrolState::Idle);
}

TEST_F(PatrolSeries, ACalibrationFrameSmallerThanTheImageIsRefusedFromTheMenu)
{
    OpenImage(kSide, kSide, [](int x, int y) { return Frame(x, y, 0, kSt1Flux); });
    const int before = form->RunSession().store.img.At(40, 50);
    test::WritePhysicalImage(dir.File("small.fts"), kSide, kSide - 1, [](int, int) { return 100; });
    dialogs.AnswerOpenFile(File("small.fts"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    Trigger(QStringLiteral("mnuimagedark"));

    EXPECT_EQ(Messages().back(), "Error!: The calibration frame is smaller than the image");
    EXPECT_EQ(dialogs.Shown().back().icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.Shown()[dialogs.Shown().size() - 2].title, QStringLiteral("Open Dark Subtract Image"));
    EXPECT_EQ(form->RunSession().store.img.At(40, 50), before);
}

TEST_F(PatrolSeries, DarkAndFlatFromTheMenuCalibrateTheImageAndProposeCuts)
{
    // 3000 where the cuts are proposed (x, y = 15..25), less the dark's 1000.
    OpenImage(kSide, kSide, [](int x, int) { return 3000 + (x < 10 ? x : 0); });
    test::WritePhysicalImage(dir.File("dark.fts"), kSide, kSide, [](int, int) { return 1000; });
    dialogs.AnswerOpenFile(File("dark.fts"));
    Trigger(QStringLiteral("mnuimagedark"));
    const ImagePlane& img = form->RunSession().store.img;
    EXPECT_EQ(Physical(img.At(5, 7)), 2005);
    EXPECT_EQ(Text("txtmin"), QStringLiteral(" 1900"));
    EXPECT_EQ(Text("txtmax"), QStringLiteral(" 3900"));

    // A flat of mean 20000 with one pixel at 10000 doubles that pixel.
    test::WritePhysicalImage(
        dir.File("flat.fts"), kSide, kSide, [](int x, int y) { return x == 5 && y == 7 ? 10000 : 20000; });
    dialogs.AnswerOpenFile(File("flat.fts"));
    Trigger(QStringLiteral("mnuimageflat"));
    const float mean = 20000.0F - 10000.0F / (kSide * kSide);
    EXPECT_EQ(Physical(img.At(5, 7)), std::lround(2005.0 * mean / 10000.0));
    EXPECT_TRUE(dialogs.Shown().back().kind == ShownDialog::Kind::OpenFile);
    EXPECT_EQ(dialogs.Shown().back().title, QStringLiteral("Open Flat Field Image"));
}

TEST_F(PatrolSeries, TheSavedResultsEqualThoseOfTheCommandLineWalk)
{
    const test::CliRun sample = test::RunCli({ "sample", dir.Path().string() });
    ASSERT_EQ(sample.exitCode, 0) << sample.err;
    const std::vector<std::pair<int, ViewPoint>> stars
        = { { 0, { 150, 361 } }, { 1, { 373, 398 } }, { 2, { 118, 132 } }, { 3, { 404, 170 } }, { 19, { 263, 259 } } };
    std::string starsText;
    for (const auto& [slot, at] : stars)
        starsText += std::to_string(slot) + " " + std::to_string(at.x) + " " + std::to_string(at.y) + "\n";
    test::WriteFileBytes(dir.File("stars.txt"), starsText);
    const test::CliRun cli = test::RunCli({ "patrol", dir.File("field.001"), "--stars", dir.File("stars.txt"), "--dark",
        dir.File("dark.fts"), "--flat", dir.File("flat.fts"), "--st1-mag", "10", "-o", dir.File("cli.txt") });
    ASSERT_EQ(cli.exitCode, 0) << cli.err;

    Type("mtxtm1", QStringLiteral("10"));
    Find<QCheckBox>(QStringLiteral("ChkSave"))->setChecked(true);
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerOpenFile(File("field.001"));
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerOpenFile(File("dark.fts"));
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerOpenFile(File("flat.fts"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    WhenWaiting(stars);
    Trigger(QStringLiteral("mnufilepatr"));
    ASSERT_EQ(Messages().back(), kEnd);
    EXPECT_EQ(FileNumber(), 12);

    dialogs.AnswerInput(File("gui.txt"));
    Trigger(QStringLiteral("mnusave"));
    const std::string gui = test::ReadFileBytes(dir.File("gui.txt"));
    EXPECT_FALSE(gui.empty());
    EXPECT_EQ(gui, test::ReadFileBytes(dir.File("cli.txt")));
}

TEST_F(PatrolSeries, TheProgressBarAndPanel4CountTheSameFiles)
{
    // Files 2 to 4 follow in a row; 6 lies beyond the gap and is never walked.
    WriteSeries(4);
    test::WritePhysicalImage(dir.File("m31.006"), kSide, kSide, [](int x, int y) { return Frame(x, y, 5, kSt1Flux); });
    auto* progress = Find<QProgressBar>(QStringLiteral("patrolProgress"));
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isVisible());

    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    std::vector<std::string> seen; // "panel 4 | value/maximum" as each file is measured
    QObject::connect(Driver(), &PatrolDriver::FileMeasured, form.get(), [&](int) {
        seen.push_back(StatusText(4).toStdString() + " | " + std::to_string(progress->value()) + "/"
            + std::to_string(progress->maximum()));
    });
    std::string waiting;
    WhenWaiting({ { 0, kSt1 } }, [&] {
        waiting = StatusText(4).toStdString() + " | " + std::to_string(progress->value()) + "/"
            + std::to_string(progress->maximum()) + (progress->isVisible() ? "" : " hidden");
        // Beside panel 4, at the right end of the status bar.
        EXPECT_GT(progress->x(), Find<QWidget>(QStringLiteral("StatusBar1_4"))->x());
    });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(waiting, "Mark the stars to follow, then press Continue | 1/4");
    EXPECT_EQ(seen,
        (std::vector<std::string> { " 2 - patrol file | 2/4", " 3 - patrol file | 3/4", " 4 - patrol file | 4/4" }));
    EXPECT_EQ(FileNumber(), 4);
    EXPECT_FALSE(progress->isVisible());
}

TEST_F(PatrolSeries, WhileWaitingTheCaptionNamesFile1AndACalibratedFileGetsCutsOfItsOwn)
{
    // The sky where the cuts are proposed is 1000 on every file; the dark is
    // 400: calibrated, 600 there, so the cuts are 0.95 and 1.95 times 600.
    WriteSeries(2);
    test::WritePhysicalImage(dir.File("dark.fts"), kSide, kSide, [](int, int) { return 400; });
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerOpenFile(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerOpenFile(File("dark.fts"));
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    QString caption;
    WhenWaiting({ { 0, kSt1 } }, [&] { caption = form->windowTitle(); });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(caption, QStringLiteral("Lumvane - ") + File("m31.001").mid(1));
    ASSERT_EQ(Messages().back(), kEnd);
    EXPECT_EQ(Text("txtmin"), QStringLiteral(" 570"));
    EXPECT_EQ(Text("txtmax"), QStringLiteral(" 1170"));
}

} // namespace
} // namespace lumvane
