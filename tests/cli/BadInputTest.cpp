// The command line against damaged star lists and an output that goes
// nowhere: each is told, and nothing is written.

#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumvane {
namespace {

/// A small image with one star at (20, 20) in a background of 1000 counts.
void WriteStarImage(const std::string& fileName)
{
    constexpr int kSide = 40;
    std::vector<std::int16_t> values;
    for (int row = 0; row < kSide; ++row) {
        const int y = kSide - row;
        for (int x = 1; x <= kSide; ++x) {
            const int r2 = (x - 20) * (x - 20) + (y - 20) * (y - 20);
            values.push_back(static_cast<std::int16_t>(1000 + (r2 < 9 ? 5000 / (1 + r2) : 0) - 32768));
        }
    }
    test::WriteWithCfitsio(fileName, kSide, kSide, values, 32768.0, 1.0);
}

TEST(CliBadInput, DamagedStarListsAreRefusedWithTheirReasonAndNoResultsWritten)
{
    test::TempDir dir;
    WriteStarImage(dir.File("field.001"));
    std::filesystem::create_directory(dir.File("folder.txt"));
    ::mkfifo(dir.File("pipe.txt").c_str(), 0600);
    const std::string tooBig = "St1 20 20\n" + std::string(1 << 20, '#');
    const char* const notRegular = ": not a regular file";
    const struct {
        const char* name;
        std::string bytes; ///< written unless the case is a folder or a missing file
        int exitCode;
        std::string told;
    } cases[] = {
        { "missing.txt", "", 2, "Cannot open file " + dir.File("missing.txt") + ": No such file or directory" },
        { "folder.txt", "", 2, "Cannot open file " + dir.File("folder.txt") + ": Is a directory" },
        { "pipe.txt", "", 2, "Cannot open file " + dir.File("pipe.txt") + notRegular },
        { "/dev/zero", "", 2, "Cannot open file /dev/zero" + std::string(notRegular) },
        { "big.txt", tooBig, 2,
            "Cannot open file " + dir.File("big.txt") + ": larger than the 1 MB a stars file may hold" },
        { "empty.txt", "", 1, dir.File("empty.txt") + ": no St1 given; the series follows the field by it" },
        { "cut.txt", "St1 20 20\nSt2 3", 1, dir.File("cut.txt") + " line 2: a line holds SLOT X Y" },
        { "junk.txt", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 1,
            dir.File("junk.txt") + " line 1: a line holds SLOT X Y" },
        { "numbers.txt", "St1 20 nan\n", 1, dir.File("numbers.txt") + " line 1: X and Y are numbers, not '20 nan'" },
        { "slot.txt", "St99 20 20\n", 1, dir.File("slot.txt") + " line 1: no star slot 'St99'" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = c.name[0] == '/' ? c.name : dir.File(c.name);
        if (!std::filesystem::exists(name) && std::string(c.name) != "missing.txt")
            test::WriteFileBytes(name, c.bytes);
        const test::CliRun run
            = test::RunCli({ "patrol", dir.File("field.001"), "--stars", name, "-o", dir.File("results.txt") });
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find("lumvane-cli patrol: " + c.told), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("results.txt")));
        EXPECT_FALSE(std::filesystem::exists(dir.File("results.txt.recovery.txt")));
    }
}

TEST(CliBadInput, StandardOutputThatCannotBeWrittenIsToldAndAClosedPipeEndsQuietly)
{
    test::TempDir dir;
    const std::string star = dir.File("star.fts");
    WriteStarImage(star);
    const std::vector<std::string> commands[] = { { "info", star }, { "phot", star, "--at", "20,20" },
        { "profile", star, "--from", "1,1", "--to", "40,40" }, { "--help" } };
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    int pipeEnds[2];
    ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
    ::close(pipeEnds[0]);
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        const test::CliRun toFull = test::RunProgram(LUMVANE_CLI_PATH, command, full);
        EXPECT_EQ(toFull.exitCode, 2);
        EXPECT_EQ(toFull.err, "lumvane-cli: cannot write standard output: No space left on device\n");
        const test::CliRun toClosedPipe = test::RunProgram(LUMVANE_CLI_PATH, command, pipeEnds[1]);
        EXPECT_EQ(toClosedPipe.exitCode, 141);
        EXPECT_EQ(toClosedPipe.err, "");
    }
    ::close(full);
    ::close(pipeEnds[1]);
}

} // namespace
} // namespace lumvane
