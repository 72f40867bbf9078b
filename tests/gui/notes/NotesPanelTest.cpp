#include "support/FitsWriter.h"
#include "support/Form1Fixture.h"

#include "core/notes/NotesFile.h"
#include "gui/app/TabPanel.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

namespace lumvane {
namespace {

using test::Form1Fixture;
using test::ReadFileBytes;
using test::ShownDialog;
using test::WriteFileBytes;

const QString kOpenFilter = "txt files (*.txt) | *.txt| all files (*.*) | *.*";
const QString kSaveFilter = "TXT Files (*.TXT)| *.TXT | All Files (*.*) | *.*";

class NotesPanel : public Form1Fixture {
protected:
    void SetUp() override
    {
        txtnot = Find<QPlainTextEdit>("txtnot");
        ASSERT_NE(txtnot, nullptr);
        Tabs().SetCurrentIndex(5);
    }

    void Click(const QString& button) const { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

    /// Writes a file in the test's folder and returns its full name.
    QString NotesFile(const std::string& name, const std::string& bytes) const
    {
        WriteFileBytes(dir.File(name), bytes);
        return File(name);
    }

    std::string Bytes(const QString& fileName) const { return ReadFileBytes(fileName.toStdString()); }

    const ShownDialog& Shown(std::size_t index) const { return dialogs.Shown().at(index); }

    void ExpectSaveChangesQuestion(const ShownDialog& shown) const
    {
        EXPECT_EQ(shown.kind, ShownDialog::Kind::Message);
        EXPECT_EQ(shown.text, "Save changes?");
        EXPECT_EQ(shown.title, "Save");
        EXPECT_EQ(shown.icon, MessageIcon::None);
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    }

    QPlainTextEdit* txtnot = nullptr;
};

TEST_F(NotesPanel, OpensThirtyThousandBytesAndRefusesThirtyThousandAndOne)
{
    const std::string atLimit(kNotesFileLimit, 'a');
    const QString small = NotesFile("at-limit.txt", atLimit);
    const QString big = NotesFile("over-limit.txt", std::string(kNotesFileLimit + 1, 'b'));

    // Nothing typed yet: the dialog comes at once, as the notes' own.
    dialogs.AnswerOpenFile(small);
    Click("btnnotopen");
    ASSERT_EQ(dialogs.Shown().size(), 1U);
    EXPECT_EQ(Shown(0).kind, ShownDialog::Kind::OpenFile);
    EXPECT_EQ(Shown(0).request.filter, kOpenFilter);
    EXPECT_EQ(Shown(0).request.filterIndex, 1);
    EXPECT_EQ(Shown(0).request.fileName, "");
    EXPECT_EQ(txtnot->toPlainText(), QString::fromStdString(atLimit));

    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerOpenFile(big);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    Click("btnnotopen");
    ASSERT_EQ(dialogs.Shown().size(), 4U);
    ExpectSaveChangesQuestion(Shown(1));
    EXPECT_EQ(Shown(3).text, "This file is to big to open!");
    EXPECT_EQ(Shown(3).title, "ERROR   ");
    EXPECT_EQ(Shown(3).icon, MessageIcon::Critical);
    EXPECT_EQ(Shown(3).buttons, MessageButtons::Ok);
    EXPECT_EQ(txtnot->toPlainText(), QString::fromStdString(atLimit)) << "refused file replaced the notes";
}

TEST_F(NotesPanel, OpenShowsTheFileAndSaveWritesTheNotesWithTheirLineEnds)
{
    const QString notes = NotesFile("night.txt", "M 42 at 21:15\r\nseeing 3\"");

    dialogs.AnswerOpenFile(notes);
    Click("btnnotopen");
    EXPECT_EQ(txtnot->toPlainText(), "M 42 at 21:15\nseeing 3\"");

    dialogs.AnswerSaveFile(notes);
    Click("btnnotsave");
    const ShownDialog& save = dialogs.Shown().back();
    EXPECT_EQ(save.kind, ShownDialog::Kind::SaveFile);
    EXPECT_EQ(save.request.fileName, notes); // the notes' own file is offered
    EXPECT_EQ(save.request.filter, kSaveFilter);
    EXPECT_EQ(save.request.filterIndex, 1);
    EXPECT_EQ(save.request.defaultExtension, "txt");
    EXPECT_EQ(Bytes(notes), "M 42 at 21:15\r\nseeing 3\"\r\n");
}

TEST_F(NotesPanel, AfterClearTheNextOpenAsksToSaveChanges)
{
    Click("btnClear");
    EXPECT_EQ(txtnot->toPlainText(), "");

    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerOpenFile({}); // cancel
    Click("btnnotopen");
    ASSERT_EQ(dialogs.Shown().size(), 2U);
    ExpectSaveChangesQuestion(Shown(0));
    EXPECT_EQ(Shown(1).kind, ShownDialog::Kind::OpenFile);
}

TEST_F(NotesPanel, YesForNotesFromNoFileAsksForANameThenOpens)
{
    txtnot->setFocus();
    QTest::keyClicks(txtnot, "variable faded");
    const QString saved = File("astronot.txt");
    const QString next = NotesFile("next.txt", "next night");

    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerSaveFile(saved);
    dialogs.AnswerOpenFile(next);
    Click("btnnotopen");

    ASSERT_EQ(dialogs.Shown().size(), 3U);
    ExpectSaveChangesQuestion(Shown(0));
    EXPECT_EQ(Shown(1).kind, ShownDialog::Kind::SaveFile);
    EXPECT_EQ(Shown(1).request.fileName, "astronot.txt");
    EXPECT_EQ(Shown(1).request.filter, kSaveFilter);
    EXPECT_EQ(Bytes(saved), "variable faded\r\n");
    EXPECT_EQ(Shown(2).kind, ShownDialog::Kind::OpenFile);
    EXPECT_EQ(txtnot->toPlainText(), "next night");
}

TEST_F(NotesPanel, CancellingTheSaveAsOfSaveChangesCancelsTheOpen)
{
    QTest::keyClicks(txtnot, "keep me");
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerSaveFile({});
    Click("btnnotopen");
    ASSERT_EQ(dialogs.Shown().size(), 2U); // no open dialog
    EXPECT_EQ(txtnot->toPlainText(), "keep me");
}

TEST_F(NotesPanel, YesSavesToTheFileTheNotesCameFromWithoutADialog)
{
    const QString notes = NotesFile("log.txt", "first");
    const QString other = NotesFile("other.txt", "second");
    dialogs.AnswerOpenFile(notes);
    Click("btnnotopen");
    QTest::keyClick(txtnot, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(txtnot, " line");

    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerOpenFile(other);
    Click("btnnotopen");
    ASSERT_EQ(dialogs.Shown().size(), 3U);
    EXPECT_EQ(Shown(2).kind, ShownDialog::Kind::OpenFile);
    EXPECT_EQ(Bytes(notes), "first line\r\n");
    EXPECT_EQ(txtnot->toPlainText(), "second");

    // Saving under another name does not make it the notes' file.
    const QString copy = File("copy.txt");
    dialogs.AnswerSaveFile(copy);
    Click("btnnotsave");
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerOpenFile({});
    Click("btnnotopen");
    EXPECT_EQ(Bytes(other), "second\r\n");
    EXPECT_EQ(Bytes(copy), "second\r\n");
}

TEST_F(NotesPanel, ARefusedFileNeverReceivesTheNotes)
{
    const QString notes = NotesFile("log.txt", "mine");
    const std::string bigBytes(kNotesFileLimit + 1, 'x');
    const QString big = NotesFile("big.txt", bigBytes);
    dialogs.AnswerOpenFile(notes);
    Click("btnnotopen");

    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerOpenFile(big);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    Click("btnnotopen");

    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerOpenFile({});
    Click("btnnotopen");
    EXPECT_EQ(Bytes(big), bigBytes);
    EXPECT_EQ(Bytes(notes), "mine\r\n");
}

TEST_F(NotesPanel, AFailedSaveOfChangesEndsTheOpenAndTheNotesStay)
{
    QTest::keyClicks(txtnot, "comet");
    const QString nowhere = File("no/such/folder/astronot.txt");
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerSaveFile(nowhere);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    Click("btnnotopen");
    ASSERT_EQ(dialogs.Shown().size(), 3U);
    EXPECT_EQ(Shown(2).text, "Cannot write file " + nowhere + ": No such file or directory");
    EXPECT_EQ(Shown(2).icon, MessageIcon::Critical);
    EXPECT_EQ(txtnot->toPlainText(), "comet");
    EXPECT_FALSE(std::filesystem::exists(dir.File("no")));
}

TEST_F(NotesPanel, AnUnreadableFileIsReportedAndTheNotesStay)
{
    QTest::keyClicks(txtnot, "comet");
    const QString missing = File("missing.txt");
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerOpenFile(missing);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    Click("btnnotopen");
    ASSERT_EQ(dialogs.Shown().size(), 3U);
    EXPECT_EQ(Shown(2).text, "Cannot read file " + missing + ": No such file or directory");
    EXPECT_EQ(Shown(2).icon, MessageIcon::Critical);
    EXPECT_EQ(txtnot->toPlainText(), "comet");
}

TEST_F(NotesPanel, TextInAWindowsCodePageKeepsItsCharacters)
{
    // "Temp. -20 °C, café" in Latin-1: not UTF-8.
    const QString notes = NotesFile("latin1.txt", "Temp. -20 \260C, caf\351");
    dialogs.AnswerOpenFile(notes);
    Click("btnnotopen");
    EXPECT_EQ(txtnot->toPlainText(), QString::fromUtf8("Temp. -20 °C, café"));
}

TEST_F(NotesPanel, ViewHeaderAppendsTheHeaderAsCardsEachTimeAndShowsTheNotes)
{
    const QString image = File("m31.fts");
    test::WritePhysicalImage(image.toStdString(), 30, 20, [](int, int) { return 1000; },
        { test::ValueCard("EXPTIME", "30"), test::ValueCard("OBJECT", "'M 31    '") });
    OpenThroughMenu(image);
    const std::string stored = form->RunSession().store.header.headerText;
    ASSERT_EQ(stored.size(), 5760U);

    QTest::keyClicks(txtnot, "before");
    Tabs().SetCurrentIndex(4);
    Click("btnHeader");
    EXPECT_EQ(Tabs().CurrentIndex(), 5);
    Click("btnHeader");

    const QStringList lines = txtnot->toPlainText().split('\n');
    // Two headers of 72 cards each, both ending in a line break.
    ASSERT_EQ(lines.size(), 2 * 72 + 1);
    EXPECT_TRUE(lines[0].startsWith("beforeSIMPLE  =")) << lines[0].toStdString();
    EXPECT_TRUE(lines[72].startsWith("SIMPLE  =")) << lines[72].toStdString();
    EXPECT_EQ(lines.last(), "");
    for (int i = 0; i < 2; ++i) {
        const QStringList header = lines.mid(72 * i, 72);
        QString joined = header.join(QString());
        if (i == 0)
            joined.remove(0, 6); // "before"
        EXPECT_EQ(joined.toStdString(), stored) << "header " << i + 1;
    }
    EXPECT_EQ(form->RunSession().store.header.headerText, stored) << "the stored header changed";
}

} // namespace
} // namespace lumvane
