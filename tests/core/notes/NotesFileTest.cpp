#include "core/notes/NotesFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

using test::TempDir;
using test::WriteFileBytes;

TEST(NotesLineEnds, FileLineEndsBecomeBoxLineBreaks)
{
    struct Case {
        std::string file;
        std::string box;
    };
    const Case cases[] = {
        { "", "" },
        { "one line", "one line" },
        { "a\r\nb\r\n", "a\nb\n" },
        { "a\nb", "a\nb" }, // written elsewhere with LF only
        { "a\rb\r", "a\nb\n" }, // lone CR line ends
        { "a\r\r\nb", "a\n\nb" }, // CR then CR LF: two line ends
        { "\r\n\r\n", "\n\n" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NotesBoxText(c.file), c.box) << c.file;
}

TEST(NotesLineEnds, SavedTextEndsEveryLineWithCrLfAndGainsOne)
{
    EXPECT_EQ(NotesFileText(""), "\r\n");
    EXPECT_EQ(NotesFileText("a"), "a\r\n");
    EXPECT_EQ(NotesFileText("a\nb"), "a\r\nb\r\n");
    EXPECT_EQ(NotesFileText("a\nb\n"), "a\r\nb\r\n\r\n");
    // Each open and save of the same notes adds one line end.
    std::string file = "Night of 3 March\r\nclouds at 23h";
    std::string expected = file;
    for (int save = 1; save <= 3; ++save) {
        file = NotesFileText(NotesBoxText(file));
        expected += "\r\n";
        EXPECT_EQ(file, expected) << "save " << save;
    }
}

TEST(NotesFile, LimitCountsFileBytesNotBoxCharacters)
{
    // 15000 CR LF pairs are 30000 bytes but 15000 line breaks in the box.
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 15000; ++i)
        bytes += "\r\n";
    WriteFileBytes(dir.File("ends.txt"), bytes);
    const NotesReadResult read = ReadNotesFile(dir.File("ends.txt"));
    ASSERT_EQ(read.status, NotesReadStatus::Read);
    EXPECT_EQ(read.text, std::string(15000, '\n'));

    WriteFileBytes(dir.File("ends.txt"), bytes + "x");
    EXPECT_EQ(ReadNotesFile(dir.File("ends.txt")).status, NotesReadStatus::TooBig);
}

} // namespace
} // namespace lumvane
