#include "SampleSeries.h"

#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace lumvane {
namespace {

/// The lines of a results file that hold a file's values, split at blanks.
std::vector<std::vector<std::string>> ValueLines(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line); // the heading
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> items;
        for (std::string word; words >> word;)
            items.push_back(word);
        if (!items.empty())
            lines.push_back(items);
    }
    return lines;
}

/// The injected flux of each role's star per file name, from truth.txt.
std::map<std::string, std::map<std::string, double>> TruthFluxes(const std::string& truthFile)
{
    std::map<std::string, std::map<std::string, double>> fluxes;
    std::istringstream in(test::ReadFileBytes(truthFile));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string file, role;
        int star = 0;
        double x = 0, y = 0, flux = 0;
        words >> file >> star >> x >> y >> flux >> role;
        if (star == 1 || star == 2 || star == 5) // St1, the first comparison star, the variable
            fluxes[file][star == 1 ? "St1" : star == 2 ? "comp" : "var"] = flux;
    }
    return fluxes;
}

TEST(PatrolCommand, TheVariableFollowsItsInjectedBrightnessFromFileOneOnCalibrated)
{
    SampleSeries sample;
    const std::string results = sample.File("results.txt");
    const test::CliRun run = test::RunCli({ "patrol", sample.File("field.001"), "--stars", sample.Stars(), "--dark",
        sample.File("dark.fts"), "--flat", sample.File("flat.fts"), "--st1-mag", "10", "-o", results });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // One progress line per file, the count, then a line per star.
    std::istringstream progress(run.err);
    std::string line;
    for (int n = 1; n <= 12; ++n) {
        ASSERT_TRUE(std::getline(progress, line));
        EXPECT_EQ(line.rfind("file " + std::to_string(n) + ": ", 0), 0U) << line;
        EXPECT_NE(line.find("5 stars remembered"), std::string::npos) << line;
    }
    for (const char* told : { "12 files measured", "St1: 12 files measured (0 saturated), 0 unmeasured" }) {
        ASSERT_TRUE(std::getline(progress, line));
        EXPECT_EQ(line, told);
    }

    // The values the program has given for the sample, byte for byte; the
    // files' names end in letters of the folder's random name.
    const auto values = [](const std::string& text) {
        std::string kept;
        std::istringstream in(text);
        for (std::string row; std::getline(in, row);)
            kept += row.substr(std::min<std::size_t>(12, row.size())) + '\n';
        return kept;
    };
    EXPECT_EQ(values(test::ReadFileBytes(results)),
        values(test::ReadFileBytes(test::TestDataFile("sample-patrol-results.txt"))));

    const auto lines = ValueLines(test::ReadFileBytes(results));
    ASSERT_EQ(lines.size(), 12U);
    const auto truth = TruthFluxes(sample.File("truth.txt"));
    // Columns: name, time, radius, then value and error of St1, St2, St3, St4, Var1.
    const auto value = [&](std::size_t file, int star) { return std::stod(lines[file].at(3 + 2 * star)); };
    const auto error = [&](std::size_t file, int star) { return std::stod(lines[file].at(4 + 2 * star)); };
    // File 1 is calibrated, and named, as every later file.
    for (std::size_t f = 0; f < 12; ++f) {
        char name[16];
        std::snprintf(name, sizeof name, "field.%03zu", f + 1);
        EXPECT_EQ(lines[f][0].substr(lines[f][0].size() - 9), name);
        const double injected = -2.5 * std::log10(truth.at(name).at("var") / truth.at(name).at("St1"));
        const double measured = value(f, 4) - value(f, 0);
        // Three standard errors, each up to the thousandth the file floors away.
        const auto allowed = [&](int star) { return 3.0 * std::hypot(error(f, star) + 0.001, error(f, 0) + 0.001); };
        EXPECT_NEAR(measured, injected, allowed(4)) << name;
        EXPECT_NEAR(value(f, 1) - value(f, 0), -2.5 * std::log10(90000.0 / 240000.0), allowed(1)) << name;
    }
}

TEST(PatrolCommand, TheSummaryMarksTheVariableAndOnlyItAtEveryRadius)
{
    SampleSeries sample;
    // St1 .. St4 and two field stars as Var3 and Var4, all constant; an
    // ensemble of St1, St3 and St4.
    test::WriteFileBytes(sample.Stars(), std::string(kStars) + "Var3 107 74\nVar4 336 159\n");
    const std::string summary = sample.File("summary.csv");
    const test::CliRun run = test::RunCli({ "patrol", sample.File("field.001"), "--stars", sample.Stars(), "--radius",
        "8,5,10,12", "--comp", "St1=10,St3=11.5,St4=10.75", "--summary", summary, "-o", sample.File("results.txt") });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::istringstream rows(test::ReadFileBytes(summary));
    std::string row;
    std::getline(rows, row);
    EXPECT_EQ(row,
        "Star,Radius,Measured,Saturated,Unmeasured,Mean magnitude,Scatter,Mean error,Reduced chi-square,"
        "Constant probability,Varies\r");
    int count = 0;
    for (; std::getline(rows, row); ++count) {
        const std::string star = row.substr(0, row.find(','));
        EXPECT_EQ(row.substr(row.find(',', star.size() + 1), 8), ",12,0,0,") << row;
        EXPECT_TRUE(row.ends_with(star == "Var 1" ? ",yes\r" : ",no\r")) << row;
    }
    EXPECT_EQ(count, 7 * 4);
}

TEST(PatrolCommand, AStarNotMeasuredIsNamedAndCloudsEndWithTheResultsSoFarAndStatus3)
{
    SampleSeries sample;
    Hide(sample.File("field.003"), 148.9, 358.8, 24); // St1
    Hide(sample.File("field.004"), 1, 1, 1000); // clouds
    const std::string results = sample.File("results.txt");
    const test::CliRun run = test::RunCli({ "patrol", sample.File("field.001"), "--stars", sample.Stars(), "--st1-mag",
        "10", "-o", results, "--csv", sample.File("results.csv") });
    EXPECT_EQ(run.exitCode, 3) << run.err;
    // The exports hold the same files as the results.
    const std::string csv = test::ReadFileBytes(sample.File("results.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 3 * 5);
    for (const std::string& told : { "lumvane-cli patrol: St1 not measured on " + sample.File("field.003") + "\n",
             "lumvane-cli patrol: Main standard is probably not found on " + sample.File("field.004") + "\n",
             std::string("St1: 2 files measured (0 saturated), 1 unmeasured\n"),
             std::string("St 2: 3 files measured (0 saturated), 0 unmeasured\n") })
        EXPECT_NE(run.err.find(told), std::string::npos) << told << run.err;
    const auto lines = ValueLines(test::ReadFileBytes(results));
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_TRUE(lines[0][0].ends_with("/field.001")) << lines[0][0];
    EXPECT_TRUE(lines[2][0].ends_with("/field.003")) << lines[2][0];
}

TEST(PatrolCommand, AnUnreadableFileEndsTheSeriesEarlyWithTheResultsSoFarAndStatus4)
{
    SampleSeries sample;
    const std::string third = sample.File("field.003");
    const std::string results = sample.File("results.txt");
    const struct {
        std::function<void()> spoil;
        std::vector<std::string> told;
    } cases[] = {
        { [&] { test::WriteFileBytes(third, test::HeaderBlocks(test::ImageCards(512, 512, 8))); },
            { "This file most probably is not in a 16 bit FITS format and might not be displayed",
                "series ended early on an unreadable file: " + third } },
        { [&] {
             std::filesystem::remove(third);
             ::mkfifo(third.c_str(), 0600);
         },
            { "Cannot open file " + third + ": not a regular file",
                "series ended early on an unreadable file: " + third } },
    };
    for (const auto& c : cases) {
        c.spoil();
        const test::CliRun run = test::RunCli(
            { "patrol", sample.File("field.001"), "--stars", sample.Stars(), "--st1-mag", "10", "-o", results });
        EXPECT_EQ(run.exitCode, 4) << run.err;
        for (const std::string& told : c.told)
            EXPECT_NE(run.err.find("lumvane-cli patrol: " + told + "\n"), std::string::npos) << run.err;
        const auto lines = ValueLines(test::ReadFileBytes(results));
        ASSERT_EQ(lines.size(), 2U);
        EXPECT_TRUE(lines[0][0].ends_with("/field.001")) << lines[0][0];
        EXPECT_TRUE(lines[1][0].ends_with("/field.002")) << lines[1][0];
        EXPECT_EQ(lines[1].size(), 13U); // name, time, radius and five stars
    }
}

TEST(PatrolCommand, ResultsThatCantBeWrittenGiveTheReasonAndStatus2)
{
    SampleSeries sample;
    const std::string nowhere = sample.File("no/such/folder/out.txt");
    const std::string results = sample.File("results.txt");
    const std::string summary = sample.File("summary.csv");
    for (const auto& [resultsFile, summaryFile] : { std::pair(nowhere, summary), std::pair(results, nowhere) }) {
        const test::CliRun run = test::RunCli({ "patrol", sample.File("field.011"), "--stars", sample.Stars(), "-o",
            resultsFile, "--summary", summaryFile });
        // Found before any file is measured: nothing is written.
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "lumvane-cli patrol: Cannot write file " + nowhere + ": No such file or directory\n");
        EXPECT_FALSE(std::filesystem::exists(results) || std::filesystem::exists(summary));
    }
}

TEST(PatrolCommand, BadArgumentsAndStarsFilesGiveAMessage)
{
    SampleSeries sample;
    const std::string first = sample.File("field.001");
    const std::string stars = sample.File("bad-stars.txt");
    const std::string out = sample.File("results.txt");
    const struct {
        std::string starsText;
        std::vector<std::string> extra;
        std::string message;
        int exitCode;
    } cases[] = {
        // The stars file's damage is the bad input sweep's; this one is the command's own.
        { "0 10 10\nSt1 12 12\n", {}, stars + " line 2: St1 is given twice", 1 },
        { "St1 150 361\n", { "--st1-mag", "bright" }, "--st1-mag takes a magnitude, not 'bright'", 1 },
    };
    for (const auto& c : cases) {
        test::WriteFileBytes(stars, c.starsText);
        std::vector<std::string> args = { "patrol", first, "--stars", stars, "-o", out };
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const test::CliRun run = test::RunCli(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "lumvane-cli patrol: " + c.message);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const test::CliRun noOutput = test::RunCli({ "patrol", first, "--stars", sample.Stars() });
    EXPECT_EQ(noOutput.exitCode, 1);
    EXPECT_EQ(
        noOutput.err.substr(0, noOutput.err.find('\n')), "lumvane-cli patrol: no results file given (-o RESULTS)");
}

} // namespace
} // namespace lumvane
