// The window's patrol series under a night's worth of use: the recovery file
// after every file, events arriving while the files are walked and the window
// closed during the walk.

#include "PatrolFixture.h"

#include "core/results/RecoveryFile.h"
#include "gui/app/TabPanel.h"
#include "gui/patrol/PatrolDriver.h"
#include "support/FitsWriter.h"

#include <QCheckBox>
#include <QScrollBar>

#include <filesystem>

namespace lumvane {
namespace {

using namespace test;

class PatrolStress : public PatrolSeries {
protected:
    std::string Recovery() const { return ReadFileBytes(dir.File(std::string(kRecoveryFileName))); }
    bool RecoveryExists() const { return std::filesystem::exists(dir.File(std::string(kRecoveryFileName))); }

    /// The lines of a results text that hold a file's values.
    static int FileLines(const std::string& text)
    {
        int lines = 0;
        for (std::size_t at = text.find("m31."); at != std::string::npos; at = text.find("m31.", at + 1))
            ++lines;
        return lines;
    }

    /// Net counts and errors of slots 0 and 1 for every diaphragm of files 1..n.
    std::vector<float> Measurements(int files)
    {
        std::vector<float> cells;
        for (int f = 1; f <= files; ++f)
            for (int k = 0; k < ResultsTable::kDiaphragms; ++k)
                for (int slot = 0; slot < 2; ++slot) {
                    cells.push_back(Table().Cell(ResultsTable::NetColumn(slot), ResultsTable::ValueRow(f, k)));
                    cells.push_back(Table().Cell(ResultsTable::NetColumn(slot) + 1, ResultsTable::ValueRow(f, k)));
                }
        return cells;
    }

    /// Runs a series over m31.001.. with St1 and the second star remembered.
    void RunSeries(std::function<void()> afterContinue = {})
    {
        AnswerStart(File("m31.001"));
        dialogs.AnswerMessage(MessageAnswer::Ok);
        WhenWaiting({ { 0, kSt1 }, { 1, kStar2 } }, {}, std::move(afterContinue));
        Trigger(QStringLiteral("mnufilepatr"));
    }
};

TEST_F(PatrolStress, AfterEachFileTheRecoveryFileHoldsWhatSaveDataWouldWriteRelativeToSt1)
{
    // Exposures, so that the file holds magnitudes.
    seriesCards = { ValueCard("EXPTIME", "30") };
    WriteSeries(4);
    Type("mtxtm1", QStringLiteral("11.4"));
    Type("txtr_1", QStringLiteral("5"));
    // Instrumental for Save Data: the recovery file is relative all the same.
    QCheckBox* relative = Find<QCheckBox>(QStringLiteral("ChkSave"));
    relative->setChecked(false);
    AnswerStart(File("m31.001"));
    std::vector<std::string> mismatches;
    int files = 0;
    dialogs.AnswerInput(QStringLiteral("saved.txt"));
    for (int f = 3; f <= 4; ++f) {
        dialogs.AnswerInput(QStringLiteral("saved.txt"));
        dialogs.AnswerMessage(MessageAnswer::Yes); // replace it
    }
    dialogs.AnswerMessage(MessageAnswer::Ok);
    QObject::connect(Driver(), &PatrolDriver::FileMeasured, form.get(), [&](int fileNumber) {
        ++files;
        const std::string recovery = Recovery();
        relative->setChecked(true);
        Trigger(QStringLiteral("mnusave")); // a relative name: the program's folder
        relative->setChecked(false);
        if (recovery != ReadFileBytes(dir.File("saved.txt")) || FileLines(recovery) != 2 * fileNumber)
            mismatches.push_back(std::to_string(fileNumber) + ":\n" + recovery);
    });
    WhenWaiting({ { 0, kSt1 }, { 1, kStar2 } });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(Messages().back(), kEnd);
    EXPECT_EQ(files, 3);
    EXPECT_TRUE(mismatches.empty()) << mismatches.front();
}

TEST_F(PatrolStress, ARecoveryFileThatCannotBeWrittenIsToldOnceAndTheWalkGoesOn)
{
    WriteSeries(4);
    // A folder in the recovery file's place.
    std::filesystem::create_directory(dir.File(std::string(kRecoveryFileName)));
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Ok); // the recovery file
    dialogs.AnswerMessage(MessageAnswer::Ok); // the end
    WhenWaiting({ { 0, kSt1 } });
    Trigger(QStringLiteral("mnufilepatr"));

    const std::string told
        = "Error!: Cannot write file " + dir.File(std::string(kRecoveryFileName)) + ": Is a directory";
    EXPECT_EQ(Messages(), (std::vector<std::string> { kStop, kDark, kFlat, told, kEnd }));
    EXPECT_EQ(FileNumber(), 4);
    EXPECT_GT(Table().Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(4, 0)), 30000.0F);
}

TEST_F(PatrolStress, ScrollsTabsMouseMovesAndProfilesDuringTheWalkLeaveItsMeasurementsAlone)
{
    WriteSeries(6);
    RunSeries();
    ASSERT_EQ(FileNumber(), 6);
    const std::vector<float> quiet = Measurements(6);

    // The same series again, with the user busy all the way through.
    auto* tabs = Find<TabPanel>(QStringLiteral("SSTab1"));
    auto* across = Find<QScrollBar>(QStringLiteral("hsbScroll"));
    auto* down = Find<QScrollBar>(QStringLiteral("vsbScroll"));
    QTimer busy;
    int round = 0;
    QObject::connect(&busy, &QTimer::timeout, form.get(), [&] {
        const QPoint inside = PicTwo()->contentsRect().center() + QPoint(round % 7 - 3, round % 5 - 2);
        switch (round++ % 6) {
        case 0:
            QTest::mouseMove(PicTwo(), inside);
            break;
        case 1:
            tabs->SetCurrentIndex(round % tabs->Count());
            break;
        case 2:
            across->setValue(across->maximum() - across->value());
            down->setValue(down->maximum() - down->value());
            break;
        case 3:
            QTest::mousePress(PicTwo(), Qt::RightButton, Qt::NoModifier, inside);
            QTest::mouseMove(PicTwo(), inside + QPoint(15, 9));
            QTest::mouseRelease(PicTwo(), Qt::RightButton, Qt::NoModifier, inside + QPoint(15, 9));
            break;
        case 4: {
            QWheelEvent wheel(QPointF(inside), PicTwo()->mapToGlobal(QPointF(inside)), {}, QPoint(0, -120),
                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(PicTwo(), &wheel);
            break;
        }
        default:
            // Continue pressed twice: back where it was.
            QTest::mouseClick(Continue(), Qt::LeftButton);
            QTest::mouseClick(Continue(), Qt::LeftButton);
            break;
        }
    });
    RunSeries([&] { busy.start(0); });
    busy.stop();

    EXPECT_GT(round, 12) << "the walk let too few events run";
    EXPECT_EQ(Messages().back(), kEnd);
    EXPECT_EQ(FileNumber(), 6);
    EXPECT_EQ(Measurements(6), quiet);
}

TEST_F(PatrolStress, ClosingTheWindowDuringTheWalkEndsItQuietlyAndKeepsTheFilesDone)
{
    WriteSeries(6);
    AnswerStart(File("m31.001"));
    dialogs.AnswerMessage(MessageAnswer::Discard); // the results not saved
    QObject::connect(Driver(), &PatrolDriver::FileMeasured, form.get(), [this](int fileNumber) {
        if (fileNumber == 3)
            form->close();
    });
    WhenWaiting({ { 0, kSt1 }, { 1, kStar2 } });
    Trigger(QStringLiteral("mnufilepatr"));

    EXPECT_EQ(Messages(),
        (std::vector<std::string> {
            kStop, kDark, kFlat, "Lumvane: The results have not been saved. Save before closing?" }));
    EXPECT_FALSE(form->isVisible());
    EXPECT_LE(FileNumber(), 4);
    EXPECT_EQ(State(), PatrolState::Idle);
    // The night so far is in the recovery file.
    EXPECT_EQ(FileLines(Recovery()), 3);
    form.reset();
}

} // namespace
} // namespace lumvane
