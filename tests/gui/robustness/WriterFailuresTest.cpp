// Every Save in the window against a name it can't write: "Cannot write file
// NAME: REASON", the data still there to be saved under a good name, and the
// read-only file as it was.

#include "AnsweredWindow.h"

#include "support/ReadOnlyFile.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

namespace lumvane {
namespace {

using namespace test;

class WriterFailures : public AnsweredWindow {
protected:
    void SetUp() override
    {
        AnsweredWindow::SetUp();
        QTest::keyClicks(Find<QPlainTextEdit>(QStringLiteral("txtnot")), QStringLiteral("clear sky, seeing 2\""));
    }

    void Click(const char* button)
    {
        QTest::mouseClick(Find<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
    }
};

TEST_F(WriterFailures, EachSaveTellsTheReasonAndKeepsItsDataForAGoodName)
{
    const std::vector<std::pair<const char*, std::function<void()>>> writers = {
        { "Save Data", [this] { Trigger(QStringLiteral("mnusave")); } },
        { "Image > Save BMP", [this] { Trigger(QStringLiteral("mnubmp")); } },
        { "profile data", [this] { Click("btnprofdata"); } },
        { "profile bitmap", [this] { Click("btnprofbmp"); } },
        { "notes", [this] { Click("btnnotsave"); } },
        { "CSV export", [this] { Trigger(QStringLiteral("mnuexportcsv")); } },
    };
    test::WriteFileBytes(dir.File("kept.txt"), "last night's file\r\n");
    const struct {
        QString name;
        const char* reason;
        bool readOnly;
    } destinations[] = {
        { File("no/such/folder/out.txt"), "No such file or directory", false },
        { File("kept.txt"), "Permission denied", true },
    };
    for (const auto& [what, save] : writers) {
        for (const auto& destination : destinations) {
            SCOPED_TRACE(std::string(what) + " to " + destination.name.toStdString());
            answering.fileName = destination.name;
            {
                std::optional<ReadOnlyFile> guard;
                if (destination.readOnly)
                    guard.emplace(destination.name.toStdString());
                save();
            }
            // After the question whether to replace a file that is there.
            ASSERT_FALSE(answering.messages.empty());
            EXPECT_EQ(answering.messages.back(),
                QStringLiteral("Error!: Cannot write file ") + destination.name + QStringLiteral(": ")
                    + QString::fromLatin1(destination.reason));
            for (std::size_t i = 0; i + 1 < answering.messages.size(); ++i)
                EXPECT_TRUE(answering.messages[i].endsWith(QStringLiteral("Do you want to replace it?")));
            answering.messages.clear();
        }
        EXPECT_EQ(ReadFileBytes(dir.File("kept.txt")), "last night's file\r\n");
        // Nothing was lost: the same command saves under a good name.
        answering.fileName = File("good.out");
        save();
        EXPECT_TRUE(answering.messages.empty());
        EXPECT_GT(ReadFileBytes(dir.File("good.out")).size(), 10U) << what;
        std::filesystem::remove(dir.File("good.out"));
    }
}

} // namespace
} // namespace lumvane
