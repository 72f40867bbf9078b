#include "gui/app/QtDialogs.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(QtNameFilters, ShowTheDesignedDescriptionsAndMatchNamesInEitherCase)
{
    EXPECT_EQ(QtNameFilters("FITS files (*.FTS) | *.FTS|FITS patrol files (*.001) | *.001|All files (*.*) | *.*"),
        (QStringList { "FITS files (*.FTS *.fts)", "FITS patrol files (*.001)", "All files (*)" }));
    EXPECT_EQ(QtNameFilters("Text (*.txt)|*.txt;*.LOG"), (QStringList { "Text (*.txt *.LOG *.log)" }));
    EXPECT_EQ(QtNameFilters("Pictures|*.bmp"), (QStringList { "Pictures (*.bmp)" }));
    EXPECT_EQ(QtNameFilters(""), QStringList {});
}

TEST(ScriptedDialogs, AnswersInOrderAndRecordsWhatWasShown)
{
    test::ScriptedDialogs dialogs;
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.AnswerInput(std::nullopt);
    dialogs.AnswerInput(QString("name.txt"));
    EXPECT_EQ(dialogs.Message("Save?", "STOP", MessageIcon::None, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(dialogs.Input("Enter a name", "SAVE", "filename.txt"), std::nullopt);
    EXPECT_EQ(dialogs.Input("Enter a name", "SAVE", ""), QString("name.txt"));
    dialogs.Beep();
    ASSERT_EQ(dialogs.Shown().size(), 4U);
    EXPECT_EQ(dialogs.Shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(dialogs.Shown()[1].defaultText, "filename.txt");
    EXPECT_EQ(dialogs.Shown()[3].kind, test::ShownDialog::Kind::Beep);
}

TEST(ScriptedDialogs, FailsTheTestOnAnUnexpectedDialogOrAnUnusedAnswer)
{
    EXPECT_NONFATAL_FAILURE(
        {
            test::ScriptedDialogs dialogs;
            EXPECT_EQ(dialogs.Message("Lost", "Error!", MessageIcon::Critical, MessageButtons::Ok), MessageAnswer::Ok);
        },
        "unexpected message box \"Error!\": Lost");
    EXPECT_NONFATAL_FAILURE(
        {
            test::ScriptedDialogs dialogs;
            dialogs.AnswerMessage(MessageAnswer::Ok);
            EXPECT_EQ(dialogs.OpenFileName({}), "");
            dialogs.Message("x", "y", MessageIcon::None, MessageButtons::Ok);
        },
        "unexpected open file dialog");
    EXPECT_NONFATAL_FAILURE(
        {
            test::ScriptedDialogs dialogs;
            dialogs.AnswerOpenFile("/a.fts");
        },
        "1 scripted dialog answer(s) were never used");
}

} // namespace
} // namespace lumvane
