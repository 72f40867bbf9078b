// Every writer against a destination it can't write: a folder that isn't
// there, a read-only file, a full disk or device, a folder in the file's
// place. Each says "Cannot write file NAME: REASON" and leaves everything else
// as it was; a save that succeeds replaces the file whole.

#include "core/common/FileWrite.h"
#include "core/display/BmpWriter.h"
#include "core/notes/NotesFile.h"
#include "core/results/RecoveryFile.h"
#include "core/results/RememberStar.h"

#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>

#include <sys/resource.h>
#include <sys/stat.h>

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
    std::string bytes; ///< what the file holds once written
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
    test::TempDir reference;
    WriteBmp(reference.File("reference.bmp"), picture);
    return {
        { "results, recovery, settings, profile data and exports",
            [text](const std::string& name) { return WriteFileBytes(name, text); }, text },
        { "bitmaps", [picture](const std::string& name) { return WriteBmp(name, picture); },
            test::ReadFileBytes(reference.File("reference.bmp")) },
        { "notes", [text](const std::string& name) { return WriteNotesFile(name, text); }, NotesFileText(text) },
    };
}

void ExpectRefused(const WriteResult& result, const std::string& name, const char* reason)
{
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.reason, reason);
    EXPECT_EQ(CannotWriteFileText(name, result.reason), "Cannot write file " + name + ": " + reason);
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
        // The disk fills up half-way: the old night stays whole, and no
        // temporary file is left behind.
        const std::string night = dir.File("night.txt");
        {
            FileSizeLimit limit(4096);
            ExpectRefused(writer.write(night), night, "File too large");
        }
        ExpectRefused(writer.write("/dev/full"), "/dev/full", "No space left on device");
        EXPECT_EQ(FolderContent(dir.Path()), before);
    }
}

TEST(WriterSweep, ASaveReplacesTheFileWholeAndKeepsItsPermissionsAndLinks)
{
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.what);
        test::TempDir dir;
        test::WriteFileBytes(dir.File("night.txt"), "an earlier night\r\n");
        std::filesystem::permissions(dir.File("night.txt"), std::filesystem::perms(0640));
        std::filesystem::create_symlink("night.txt", dir.File("link.txt"));
        const auto current = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        const mode_t mask = ::umask(0);
        ::umask(mask);
        const struct {
            std::string name; ///< as typed: relative names land in the current folder
            std::string file; ///< the file that gets the bytes
            unsigned mode;
        } cases[] = {
            { "new.txt", "new.txt", 0666 & ~mask },
            { "night.txt", "night.txt", 0640 },
            { "link.txt", "night.txt", 0640 },
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_TRUE(writer.write(c.name).written);
            EXPECT_EQ(test::ReadFileBytes(dir.File(c.file)), writer.bytes);
            const auto status = std::filesystem::status(dir.File(c.file));
            EXPECT_EQ(static_cast<unsigned>(status.permissions()), c.mode);
        }
        std::filesystem::current_path(current);
        EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
        // Devices are written in place.
        EXPECT_TRUE(writer.write("/dev/null").written);
        EXPECT_EQ(FolderContent(dir.Path()).size(), 3U);
    }
}

/// A series' table and file lists, one file measured at a time: three stars
/// in diaphragm 0, recorded as remembering them records them.
struct Series {
    ResultsTable table;
    FileList files;
    ResultsFileSettings settings { 11.2, true, { 8, 0, 0, 0 } };

    void Measure(int file, float brightness)
    {
        files.SetCurrentFile(file);
        FileEntry entry;
        entry.exposure = 30.0F;
        entry.name = "  night." + std::to_string(100 + file);
        files.RecordCurrent(entry);
        for (int slot = 0; slot < 3; ++slot) {
            StarRecord star;
            star.centreX = 100.0F;
            star.centreY = 100.0F;
            star.net[0] = brightness * static_cast<float>(slot + 1);
            star.error[0] = 0.01F * static_cast<float>(file);
            star.radius[0] = 8.0F;
            RememberStar(table, slot, file, star);
        }
    }
    std::string Text() const { return ResultsFileText(table, files, settings); }
};

TEST(WriterSweep, RecoveryFilesOfSeriesInOneFolderAreWholeAfterEveryFile)
{
    // Two series of their own, and a third under the first one's name, as two
    // windows of one program folder would have it.
    test::TempDir dir;
    std::array<Series, 3> series;
    std::array<RecoveryFile, 3> recovery { RecoveryFile(dir.File("a.txt.recovery.txt")),
        RecoveryFile(dir.File("b.txt.recovery.txt")), RecoveryFile(dir.File("a.txt.recovery.txt")) };
    for (int file = 1; file <= 30; ++file) {
        for (std::size_t s = 0; s < series.size(); ++s) {
            SCOPED_TRACE("file " + std::to_string(file) + " of series " + std::to_string(s));
            series[s].Measure(file, 1000.0F * (s + 1) + file);
            // St1's magnitude typed anew changes every line written.
            if (s == 1 && file == 15)
                series[s].settings.st1Magnitude = 9.8;
            ASSERT_TRUE(recovery[s].Write(series[s].table, series[s].files, series[s].settings).written);
            EXPECT_EQ(test::ReadFileBytes(recovery[s].Name().string()), series[s].Text());
        }
    }
    EXPECT_EQ(FolderContent(dir.Path()).size(), 2U);
}

TEST(WriterSweep, ARecoveryFileCutShortByAFullDiskGoesBackToTheFilesItHeldWhole)
{
    test::TempDir dir;
    Series series;
    RecoveryFile recovery(dir.File("night.txt.recovery.txt"));
    for (int file = 1; file <= 3; ++file)
        series.Measure(file, 2000.0F + file);
    ASSERT_TRUE(recovery.Write(series.table, series.files, series.settings).written);
    const std::string threeFiles = series.Text();
    for (int file = 4; file <= 40; ++file)
        series.Measure(file, 2000.0F + file);
    {
        FileSizeLimit limit(threeFiles.size() + 100);
        ExpectRefused(
            recovery.Write(series.table, series.files, series.settings), recovery.Name().string(), "File too large");
    }
    EXPECT_EQ(test::ReadFileBytes(recovery.Name().string()), threeFiles);
    // With room again the next write brings it up to date.
    ASSERT_TRUE(recovery.Write(series.table, series.files, series.settings).written);
    EXPECT_EQ(test::ReadFileBytes(recovery.Name().string()), series.Text());
}

} // namespace
} // namespace lumvane
