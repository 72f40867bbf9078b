// Every writer against a destination it can't write: a folder that isn't
// there, a read-only file, a full device, a folder in the file's place. Each
// says "Cannot write file NAME: REASON" and leaves everything else as it was.

#include "core/common/AtomicFileWrite.h"
#include "core/common/FileWrite.h"
#include "core/display/BmpWriter.h"
#include "core/notes/NotesFile.h"

#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>

#include <sys/resource.h>

namespace lumvane {
namespace {

/// Every file under a folder with its bytes, and every folder.
std::map<std::string, std::string> FolderContent(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> content;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        content[entry.path().string()] = entry.is_directory() ? "<folder>" : test::ReadFileBytes(entry.path().string());
    return content;
}

struct Writer {
    const char* what;
    std::function<WriteResult(const std::string&)> write;
};

/// The program's writers, each with a payload big enough to need more than
/// one block of a device.
std::vector<Writer> Writers()
{
    const std::string text(100000, 'x');
    RgbImage picture;
    picture.width = 300;
    picture.height = 200;
    picture.pixels.assign(300 * 200, 0xFF336699u);
    return {
        { "results, settings, profile data and exports",
            [text](const std::string& name) { return WriteFileBytes(name, text); } },
        { "bitmaps", [picture](const std::string& name) { return WriteBmp(name, picture); } },
        { "notes", [text](const std::string& name) { return WriteNotesFile(name, text); } },
        { "recovery file", [text](const std::string& name) { return WriteFileAtomically(name, text); } },
    };
}

void ExpectRefused(const WriteResult& result, const std::string& name, const char* reason)
{
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.reason, reason);
    EXPECT_EQ(CannotWriteFileText(name, result.reason), "Cannot write file " + name + ": " + reason);
}

TEST(WriterSweep, UnwritableNamesAreRefusedAndChangeNothing)
{
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.what);
        test::TempDir dir;
        test::WriteFileBytes(dir.File("night.txt"), "an earlier night\r\n");
        std::filesystem::create_directory(dir.File("folder.txt"));
        test::WriteFileBytes(dir.File("folder.txt/inside.txt"), "kept\r\n");
        const auto before = FolderContent(dir.Path());

        const std::string missingFolder = dir.File("no/such/folder/out.txt");
        ExpectRefused(writer.write(missingFolder), missingFolder, "No such file or directory");
        const std::string folder = dir.File("folder.txt");
        ExpectRefused(writer.write(folder), folder, "Is a directory");
        {
            const std::string readOnly = dir.File("night.txt");
            test::ReadOnlyFile guard(readOnly);
            ExpectRefused(writer.write(readOnly), readOnly, "Permission denied");
        }
        EXPECT_EQ(FolderContent(dir.Path()), before);
    }
}

TEST(WriterSweep, AFullDeviceIsRefused)
{
    // The recovery file never goes to a device: it is always a file of its
    // own name in a folder (see the disk-full case below).
    for (const Writer& writer : Writers()) {
        if (std::string(writer.what) == "recovery file")
            continue;
        SCOPED_TRACE(writer.what);
        ExpectRefused(writer.write("/dev/full"), "/dev/full", "No space left on device");
    }
}

/// A disk that fills up after `bytes` more bytes of any one file.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { bytes, m_old.rlim_max };
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(WriterSweep, TheRecoveryFileKeepsItsLastWholeTextWhenTheDiskFills)
{
    test::TempDir dir;
    const std::string name = dir.File("patrol-recovery.txt");
    ASSERT_TRUE(WriteFileAtomically(name, "files 1 to 3\r\n").written);
    WriteResult result;
    {
        FileSizeLimit limit(4096);
        result = WriteFileAtomically(name, std::string(100000, 'x'));
    }
    ExpectRefused(result, name, "File too large");
    EXPECT_EQ(test::ReadFileBytes(name), "files 1 to 3\r\n");
    EXPECT_FALSE(std::filesystem::exists(name + ".tmp"));

    // The same writer with room again replaces the file whole.
    ASSERT_TRUE(WriteFileAtomically(name, std::string(100000, 'y')).written);
    EXPECT_EQ(test::ReadFileBytes(name), std::string(100000, 'y'));
    EXPECT_FALSE(std::filesystem::exists(name + ".tmp"));
}

TEST(WriterSweep, TheRecoveryFileReplacesAStaleTemporaryFileAndKeepsRelativeNamesInTheCurrentFolder)
{
    test::TempDir dir;
    // A power cut during an earlier write left a half temporary file.
    test::WriteFileBytes(dir.File("patrol-recovery.txt.tmp"), "half of an old wri");
    const auto current = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const WriteResult result = WriteFileAtomically("patrol-recovery.txt", "file 1\r\n");
    std::filesystem::current_path(current);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(test::ReadFileBytes(dir.File("patrol-recovery.txt")), "file 1\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("patrol-recovery.txt.tmp")));
}

} // namespace
} // namespace lumvane
