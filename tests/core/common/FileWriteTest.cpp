#include "core/common/FileWrite.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumvane {
namespace {

TEST(FileWrite, ReplacesTheFileWithTheBytes)
{
    test::TempDir dir;
    const std::string name = dir.File("prof.dat");
    test::WriteFileBytes(name, "an older and longer file\r\n");
    const WriteResult written = WriteFileBytes(name, std::string_view(" 1 \0 5\r\n", 8));
    EXPECT_TRUE(written.written);
    EXPECT_EQ(test::ReadFileBytes(name), std::string(" 1 \0 5\r\n", 8));
}

TEST(FileWrite, NamesThatCannotBeWrittenGiveTheSystemsReason)
{
    test::TempDir dir;
    const WriteResult missingFolder = WriteFileBytes(dir.File("no/such/folder/prof.dat"), "x");
    EXPECT_FALSE(missingFolder.written);
    EXPECT_EQ(missingFolder.reason, "No such file or directory");

    const WriteResult folder = WriteFileBytes(dir.Path().string(), "x");
    EXPECT_FALSE(folder.written);
    EXPECT_EQ(folder.reason, "Is a directory");

    // A full device fails when the bytes reach it, not at the open.
    const WriteResult full = WriteFileBytes("/dev/full", std::string(100000, 'x'));
    EXPECT_FALSE(full.written);
    EXPECT_EQ(full.reason, "No space left on device");

    EXPECT_EQ(CannotWriteFileText("a/b.txt", "No such file or directory"),
        "Cannot write file a/b.txt: No such file or directory");
}

} // namespace
} // namespace lumvane
