#include "../photometry/PhotometryFixture.h"

#include "support/CliRunner.h"

#include "core/patrol/ResultsTable.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace lumvane {
namespace {

using test::ShownDialog;

constexpr int kSide = 100;
constexpr int kBackground = 1000;
/// St1 and a second star on file 1; the field drifts by one pixel a file.
constexpr ViewPoint kSt1 { 40, 50 };
constexpr ViewPoint kStar2 { 65, 35 };
constexpr double kSt1Flux = 40000.0;
constexpr double kStar2Flux = 20000.0;

/// A frame of the small series: the field shifted by `shift` pixels in x,
/// St1 at `st1Flux` counts.
int Frame(int x, int y, double shift, double st1Flux)
{
    const auto star = [&](ViewPoint at, double flux) {
        const double sigma = 1.3;
        const double dx = x - (at.x + shift);
        const double dy = y - at.y;
        return flux / (2.0 * std::numbers::pi * sigma * sigma) * std::exp(-(dx * dx + dy * dy) / (2.0 * sigma * sigma));
    };
    return kBackground + static_cast<int>(std::lround(star(kSt1, st1Flux) + star(kStar2, kStar2Flux)));
}

class PatrolSeries : public test::PhotometryFixture {
protected:
    /// Writes m31.001 .. m31.00n; `st1Flux` gives St1's counts on file f.
    void WriteSeries(
        int files, const std::function<double(int)>& st1Flux = [](int) { return kSt1Flux; })
    {
        for (int f = 1; f <= files; ++f) {
            char name[16];
            std::snprintf(name, sizeof name, "m31.%03d", f);
            test::WritePhysicalImage(
                dir.File(name), kSide, kSide, [&](int x, int y) { return Frame(x, y, f - 1, st1Flux(f)); });
        }
    }

    /// The answers up to the first render: no save, the first file, then the
    /// dark and flat questions declined.
    void AnswerStart(const QString& firstFile)
    {
        dialogs.AnswerMessage(MessageAnswer::No);
        dialogs.AnswerOpenFile(firstFile);
        dialogs.AnswerMessage(MessageAnswer::No);
        dialogs.AnswerMessage(MessageAnswer::No);
    }

    /// What the user does on a waiting file: each star clicked on the
    /// full-size view and remembered, then Continue; `afterContinue` runs
    /// once the walk lets events run. Runs once the driver waits for Continue.
    void WhenWaiting(std::vector<std::pair<int, ViewPoint>> stars, std::function<void()> meanwhile = {},
        std::function<void()> afterContinue = {})
    {
        WhenContinueWaits([this, stars = std::move(stars), meanwhile = std::move(meanwhile),
                              afterContinue = std::move(afterContinue)] {
            if (meanwhile)
                meanwhile();
            for (const auto& [slot, at] : stars) {
                form->Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, QPointF(at.x, at.y));
                form->btnstar_Click(slot);
            }
            QTest::mouseClick(Continue(), Qt::LeftButton);
            if (afterContinue)
                QTimer::singleShot(0, form.get(), afterContinue);
        });
    }

    /// Runs `action` from the event loop once Continue is live and the flag is 0.
    void WhenContinueWaits(std::function<void()> action)
    {
        QTimer::singleShot(0, form.get(), [this, action = std::move(action)]() mutable {
            if (Continue()->isEnabled() && form->RunSession().patrolRunning == 0)
                action();
            else
                WhenContinueWaits(std::move(action));
        });
    }

    QPushButton* Continue() const { return Find<QPushButton>(QStringLiteral("btnconti")); }
    int FileNumber() { return form->RunSession().store.files.CurrentFile(); }
    const ResultsTable& Table() { return form->RunSession().results; }

    /// The messages shown, in order, as "title: text".
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> messages;
        for (const ShownDialog& shown : dialogs.Shown())
            if (shown.kind == ShownDialog::Kind::Message)
                messages.push_back((shown.title + ": " + shown.text).toStdString());
        return messages;
    }
    int Beeps() const
    {
        return static_cast<int>(std::count_if(dialogs.Shown().begin(), dialogs.Shown().end(),
            [](const ShownDialog& shown) { return shown.kind == ShownDialog::Kind::Beep; }));
    }
};

const char* const kStop = "STOP: Any data obtained up to now will be lost! Do you want to save current data?";
const char* const kDark = "DARK SUBTRACTION?: Do you want dark subtraction?";
const char* const kFlat = "FLAT FIELDING?: Do you want flat fielding?";
const char* const kEnd = "Lumvane: No more patrol files. You may now save collected so far data by File/Save Data menu";
const char* const kLost
    = "Not found: Main standard is probably not found. Please click on it again and press button CONTINUE";

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
        EXPECT_EQ(form->RunSession().patrolRunning, 0);
    });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_TRUE(openDisabled);
    EXPECT_EQ(Messages(), (std::vector<std::string> { kStop, kDark, kFlat, kEnd }));
    EXPECT_EQ(dialogs.Shown()[1].title, QStringLiteral("Open First Patrol File"));
    EXPECT_EQ(dialogs.Shown().back().icon, MessageIcon::None);
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(FileNumber(), 3);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lumvane - ") + File("m31.003"));
    EXPECT_EQ(form->StatusText(4), QStringLiteral("Ready"));
    EXPECT_FALSE(Continue()->isEnabled());
    EXPECT_TRUE(Find<QAction>("mnuopen")->isEnabled());
    EXPECT_TRUE(Find<QAction>("mnufilepatr")->isEnabled());
    EXPECT_EQ(form->RunSession().patrolRunning, 0);
    // Declined: neither frame was read.
    EXPECT_EQ(form->RunSession().store.ds.Width(), 0);
    EXPECT_EQ(form->RunSession().store.ff.Width(), 0);

    // Both stars followed the one-pixel drift and were recorded on every file.
    const auto centreX = [&](int slot, int f) {
        return Table().Cell(ResultsTable::NetColumn(slot), ResultsTable::PositionRow(f + 1));
    };
    for (int f = 1; f <= 3; ++f) {
        EXPECT_EQ(centreX(0, f) - centreX(0, 1), f - 1) << f;
        EXPECT_EQ(centreX(1, f) - centreX(1, 1), f - 1) << f;
        EXPECT_GT(Table().Cell(ResultsTable::NetColumn(1), ResultsTable::ValueRow(f, 0)), 15000.0F) << f;
    }
}

TEST_F(PatrolSeries, TheNextFileIsNamedFromTheLastDotOfTheFileName)
{
    // A folder with a dot, and a first file numbered 5: file 2 comes next.
    ASSERT_TRUE(QDir(File("")).mkdir(QStringLiteral("my.data")));
    for (const char* name : { "my.data/m31.005", "my.data/m31.002" })
        test::WritePhysicalImage(dir.File(name), kSide, kSide, [](int x, int y) { return Frame(x, y, 0, kSt1Flux); });
    AnswerStart(File("my.data/m31.005"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    WhenWaiting({ { 0, kSt1 } });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(Messages().back(), kEnd);
    EXPECT_EQ(FileNumber(), 2);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Lumvane - ") + File("my.data/m31.002"));
}

TEST_F(PatrolSeries, AMissingSecondFileEndsRightAfterContinue)
{
    WriteSeries(1);
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    WhenWaiting({ { 0, kSt1 } });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(Messages().back(), kEnd);
    EXPECT_EQ(FileNumber(), 1);
    EXPECT_FALSE(Continue()->isEnabled());
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
            waited = FileNumber() == 2 && Continue()->isEnabled() && form->RunSession().patrolRunning == 0
                && Table().Cell(ResultsTable::NetColumn(1), ResultsTable::ValueRow(2, 0)) == 0.0F;
            form->Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, QPointF(kSt1.x + 1, kSt1.y));
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

TEST_F(PatrolSeries, AClickWhileTheWalkRunsCentresWithTheWalksSearchRadius)
{
    // Five pixels right of the second star: St1's radius (7 with "2") reaches
    // it, the box's 2 does not.
    WriteSeries(2);
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    const QPointF beside(kStar2.x + 5, kStar2.y);
    std::optional<float> duringWalk;
    WhenWaiting({ { 0, kSt1 } }, {}, [&] {
        form->Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, beside);
        duringWalk = form->RunSession().lastStar.centreX;
    });
    Trigger(QStringLiteral("mnufilepatr"));
    ASSERT_TRUE(duringWalk.has_value());
    EXPECT_LE(std::abs(*duringWalk - static_cast<float>(kStar2.x)), 2.5F);

    // No series: the box's radius.
    form->Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, beside);
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
    EXPECT_EQ(form->RunSession().patrolRunning, 0);
}

TEST_F(PatrolSeries, ACalibrationFrameSmallerThanTheImageIsRefusedFromTheMenu)
{
    OpenImage(kSide, kSide, [](int x, int y) { return Frame(x, y, 0, kSt1Flux); });
    const ImagePlane before = form->RunSession().store.img;
    test::WritePhysicalImage(dir.File("small.fts"), kSide, kSide - 1, [](int, int) { return 100; });
    dialogs.AnswerOpenFile(File("small.fts"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    Trigger(QStringLiteral("mnuimagedark"));

    EXPECT_EQ(Messages().back(), "Error!: The calibration frame is smaller than the image");
    EXPECT_EQ(dialogs.Shown().back().icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.Shown()[dialogs.Shown().size() - 2].title, QStringLiteral("Open Dark Subtract Image"));
    const ImagePlane& img = form->RunSession().store.img;
    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x)
            ASSERT_EQ(img.At(x, y), before.At(x, y)) << x << "," << y;
}

TEST_F(PatrolSeries, DarkAndFlatFromTheMenuCalibrateTheImageAndProposeCuts)
{
    OpenImage(kSide, kSide, [](int x, int) { return 3000 + x; });
    const QString minBefore = Text("txtmin");
    test::WritePhysicalImage(dir.File("dark.fts"), kSide, kSide, [](int, int) { return 1000; });
    dialogs.AnswerOpenFile(File("dark.fts"));
    Trigger(QStringLiteral("mnuimagedark"));
    const ImagePlane& img = form->RunSession().store.img;
    EXPECT_EQ(Physical(img.At(5, 7)), 2005);
    EXPECT_NE(Text("txtmin"), minBefore);

    // A flat of mean 20000 with one pixel at 10000 doubles that pixel.
    test::WritePhysicalImage(
        dir.File("flat.fts"), kSide, kSide, [](int x, int y) { return x == 5 && y == 7 ? 10000 : 20000; });
    dialogs.AnswerOpenFile(File("flat.fts"));
    Trigger(QStringLiteral("mnuimageflat"));
    const float mean = 20000.0F - 10000.0F / (kSide * kSide);
    EXPECT_EQ(Physical(img.At(5, 7)), std::lround(2005.0 * mean / 10000.0));
    EXPECT_EQ(Physical(img.At(6, 7)), std::lround(2006.0 * mean / 20000.0));
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

} // namespace
} // namespace lumvane
