// The patrol series' recovery file as the command line keeps it: after each
// file the results so far, whole even when the process is killed or another
// series writes into the same folder.

#include "SampleSeries.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumvane {
namespace {

/// The sample observation, its twelve frames walked forwards and back again
/// (field.013 is field.011, field.023 is field.001, ...) so that the series
/// runs to `files` files with the field drifting only a little between any two.
class LongSeries : public SampleSeries {
public:
    explicit LongSeries(int files)
    {
        for (int f = 13; f <= files; ++f) {
            const int phase = (f - 1) % 22;
            const int source = phase < 12 ? phase + 1 : 23 - phase;
            std::filesystem::create_symlink(Name(source), File(Name(f)));
        }
        std::filesystem::create_directory(File("night"));
    }
    static std::string Name(int file)
    {
        char name[24];
        std::snprintf(name, sizeof name, "field.%03d", file);
        return name;
    }
    /// The arguments of a whole run, results into night/RESULTS.
    std::vector<std::string> Patrol(const std::string& results, std::vector<std::string> more = {}) const
    {
        std::vector<std::string> arguments
            = { "patrol", File("field.001"), "--stars", Stars(), "-o", File("night/" + results) };
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    }
};

/// The number of files a results text holds: one line per file with the
/// default single diaphragm.
int FilesIn(const std::string& text)
{
    int files = 0;
    for (std::size_t at = text.find("field."); at != std::string::npos; at = text.find("field.", at + 1))
        ++files;
    return files;
}

TEST(PatrolRecoveryFile, AfterTheSeriesItHoldsTheResultsRelativeToSt1WhateverTheResultsFileHolds)
{
    // Two series at once into one folder, each with its own recovery file.
    LongSeries series(40);
    auto relative = std::async(std::launch::async, [&] {
        return test::RunCli(series.Patrol("relative.txt", { "--st1-mag", "11.2" }));
    });
    const test::CliRun instrumental
        = test::RunCli(series.Patrol("instrumental.txt", { "--st1-mag", "11.2", "--instrumental" }));
    const test::CliRun relativeRun = relative.get();
    ASSERT_EQ(relativeRun.exitCode, 0) << relativeRun.err;
    ASSERT_EQ(instrumental.exitCode, 0) << instrumental.err;
    const std::string recovery = test::ReadFileBytes(series.File("night/relative.txt.recovery.txt"));
    EXPECT_EQ(recovery, test::ReadFileBytes(series.File("night/relative.txt")));
    EXPECT_EQ(FilesIn(recovery), 40);

    // Instrumental magnitudes in the results file; the recovery file stays
    // relative to St1, as a later Save Data with the box checked would write.
    EXPECT_NE(test::ReadFileBytes(series.File("night/instrumental.txt")), recovery);
    EXPECT_EQ(test::ReadFileBytes(series.File("night/instrumental.txt.recovery.txt")), recovery);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(series.File("night")))
        ++files;
    EXPECT_EQ(files, 4);
}

TEST(PatrolRecoveryFile, AKilledSeriesLeavesTheWholeResultsOfTheFilesDone)
{
    constexpr int kFiles = 200;
    LongSeries series(kFiles);
    const std::string recoveryName = series.File("night/results.txt.recovery.txt");
    std::vector<std::string> arguments = series.Patrol("results.txt");
    arguments.insert(arguments.begin(), LUMVANE_CLI_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    // Kill it once the recovery file has a few files, between two files or in
    // the middle of one: wherever the kill lands, the file is whole.
    int filesSeen = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (filesSeen < 5 && std::chrono::steady_clock::now() < deadline) {
        std::error_code error;
        if (std::filesystem::exists(recoveryName, error))
            filesSeen = FilesIn(test::ReadFileBytes(recoveryName));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the series ended before it was killed";
    ASSERT_GE(filesSeen, 5);
    EXPECT_FALSE(std::filesystem::exists(series.File("night/results.txt")));

    const std::string recovery = test::ReadFileBytes(recoveryName);
    const int filesDone = FilesIn(recovery);
    EXPECT_GE(filesDone, filesSeen);
    EXPECT_LT(filesDone, kFiles);

    // What Save Data writes for those files: the series run again, ending
    // after them.
    std::filesystem::remove(series.File(LongSeries::Name(filesDone + 1)));
    const test::CliRun done = test::RunCli(series.Patrol("results.txt"));
    ASSERT_EQ(done.exitCode, 0) << done.err;
    EXPECT_EQ(recovery, test::ReadFileBytes(series.File("night/results.txt")));
}

TEST(PatrolRecoveryFile, ResultsSentToADeviceKeepNoRecoveryFile)
{
    LongSeries series(3);
    std::vector<std::string> arguments = series.Patrol("results.txt");
    arguments.back() = "/dev/null";
    const test::CliRun discarded = test::RunCli(arguments);
    EXPECT_EQ(discarded.exitCode, 0) << discarded.err;
    EXPECT_FALSE(std::filesystem::exists("/dev/null.recovery.txt"));
}

} // namespace
} // namespace lumvane
