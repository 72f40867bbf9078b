#include "SampleSeries.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

namespace lumvane {
namespace {

using Row = std::vector<std::string>;

/// Lines split at commas (no field of these files is quoted), without CR LF.
std::vector<Row> CommaLines(const std::string& text)
{
    std::vector<Row> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(line.ends_with('\r')) << line;
        line = line.substr(0, line.size() - 1);
        Row fields;
        std::istringstream words(line);
        for (std::string field; std::getline(words, field, ',');)
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

/// The mid-exposure JD of a sample file from its DATE-OBS and EXPTIME cards,
/// by the calendar of <chrono>.
double MidExposureOf(const std::string& fileName)
{
    const std::string bytes = test::ReadFileBytes(fileName);
    const std::string date = bytes.substr(bytes.find("DATE-OBS= '") + 11, 19);
    const double exposure = std::stod(bytes.substr(bytes.find("EXPTIME =") + 10, 20));
    using namespace std::chrono;
    const year_month_day day { year(std::stoi(date.substr(0, 4))), month(std::stoul(date.substr(5, 2))),
        std::chrono::day(std::stoul(date.substr(8, 2))) };
    const double days = (sys_days(day) - sys_days(2000y / January / 1)).count();
    const double seconds = std::stoi(date.substr(11, 2)) * 3600.0 + std::stoi(date.substr(14, 2)) * 60.0
        + std::stod(date.substr(17, 2)) + exposure / 2.0;
    return 2451544.5 + days + seconds / 86400.0;
}

/// The value fields of the results file's lines (St1, St2, St3, St4, Var1).
std::vector<std::vector<double>> ResultValues(const std::string& text)
{
    std::vector<std::vector<double>> values;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        if (line.size() < 23 + 5 * 13)
            continue;
        std::vector<double> stars;
        for (int s = 0; s < 5; ++s)
            stars.push_back(std::stod(line.substr(22 + 13 * s, 8)));
        values.push_back(stars);
    }
    return values;
}

std::vector<std::string> Patrol(const SampleSeries& sample, const std::vector<std::string>& extra)
{
    std::vector<std::string> args = { "patrol", sample.File("field.001"), "--stars", sample.Stars(), "--st1-mag", "10",
        "-o", sample.File("results.txt") };
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

const std::vector<std::string> kAavso
    = { "--aavso", "", "--obscode", "XYZ", "--name", "V0455 AND", "--chart", "X28561AB" };

std::vector<std::string> Exports(const SampleSeries& sample)
{
    std::vector<std::string> extra = kAavso;
    extra[1] = sample.File("aavso.txt");
    extra.push_back("--csv");
    extra.push_back(sample.File("results.csv"));
    return extra;
}

TEST(PatrolExports, AavsoReportOfTheUnfilteredSampleSeriesFieldByField)
{
    SampleSeries sample;
    for (int f = 1; f <= 12; ++f) {
        char name[32];
        std::snprintf(name, sizeof name, "field.%03d", f);
        std::string bytes = test::ReadFileBytes(sample.File(name));
        bytes.replace(bytes.find("FILTER  = 'V       '"), 20, "FILTER  = 'Clear   '");
        test::WriteFileBytes(sample.File(name), bytes);
    }
    // Without the band no line is valid: no report, and status 2.
    const test::CliRun refused = test::RunCli(Patrol(sample, Exports(sample)));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("AAVSO report: file 12 (field.012) left out: its header names no filter ('Clear'): "
                               "give the filter code (CV or CR for unfiltered frames)\n"),
        std::string::npos)
        << refused.err;
    EXPECT_NE(
        refused.err.find("no AAVSO report: No file has a line the AAVSO database would take\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(sample.File("aavso.txt")));

    std::vector<std::string> named = Exports(sample);
    named.insert(named.end(), { "--filter", "CV", "--cname", "000-BBP-713", "--kname", "000-BBP-714" });
    const test::CliRun run = test::RunCli(Patrol(sample, named));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto values = ResultValues(test::ReadFileBytes(sample.File("results.txt")));
    ASSERT_EQ(values.size(), 12U);
    const auto csv = CommaLines(test::ReadFileBytes(sample.File("results.csv")));
    ASSERT_EQ(csv.size(), 1U + 12 * 5);

    const std::string text = test::ReadFileBytes(sample.File("aavso.txt"));
    EXPECT_EQ(text.rfind("#TYPE=EXTENDED\r\n#OBSCODE=XYZ\r\n#SOFTWARE=Lumvane ", 0), 0U) << text;
    EXPECT_NE(text.find("\r\n#DELIM=,\r\n#DATE=JD\r\n#OBSTYPE=CCD\r\n"), std::string::npos) << text;
    const auto rows = CommaLines(text);
    ASSERT_EQ(rows.size(), 6U + 12);
    for (std::size_t f = 0; f < 12; ++f) {
        char name[16];
        std::snprintf(name, sizeof name, "field.%03zu", f + 1);
        const Row& row = rows[6 + f];
        ASSERT_EQ(row.size(), 15U) << name;
        EXPECT_EQ(row[0], "V0455 AND");
        EXPECT_NEAR(std::stod(row[1]), MidExposureOf(sample.File(name)), 0.6e-5) << name;
        EXPECT_EQ(row[1].size() - row[1].find('.'), 6U) << row[1];
        // The variable's magnitude as the results file has it, whose 8
        // characters cut magnitudes above 10 to 3 decimals.
        EXPECT_NEAR(std::stod(row[2]), values[f][4], 0.0016) << name;
        EXPECT_GT(std::stod(row[3]), 0.0);
        EXPECT_EQ(row[4], "CV");
        EXPECT_EQ(row[5], "NO");
        EXPECT_EQ(row[6], "STD");
        EXPECT_EQ(row[7], "000-BBP-713");
        // St1's and St 2's instrumental magnitudes, as the CSV file has them.
        const Row& st1 = csv[1 + 5 * f];
        const Row& st2 = csv[2 + 5 * f];
        ASSERT_EQ(st1[4], "St1");
        ASSERT_EQ(st2[4], "St 2");
        // File 1's own entry, not that of the flat read after it.
        EXPECT_EQ(st1[0], name);
        EXPECT_NEAR(std::stod(row[8]), std::stod(st1[8]), 0.0006) << name;
        EXPECT_EQ(row[9], "000-BBP-714");
        EXPECT_NEAR(std::stod(row[10]), std::stod(st2[8]), 0.0006) << name;
        EXPECT_EQ(row[11], "na");
        EXPECT_EQ(row[12], "na");
        EXPECT_EQ(row[13], "X28561AB");
        EXPECT_EQ(row[14], "na");
    }
}

TEST(PatrolExports, BadAavsoArgumentsGiveAMessage)
{
    SampleSeries sample;
    const std::string aavso = sample.File("aavso.txt");
    const struct {
        std::vector<std::string> extra;
        std::string message;
    } cases[] = {
        { { "--aavso", aavso, "--name", "SS CYG" }, "--aavso: The observer code is empty" },
        { { "--aavso", aavso, "--obscode", "XYZ", "--name", "SS CYG", "--variable", "Var2" },
            "--variable Var2 is not a star of the stars file" },
        { { "--aavso", aavso, "--obscode", "XYZ", "--name", "SS CYG", "--diaphragm", "2" },
            "--diaphragm 2 has no --radius" },
        { { "--aavso", aavso, "--diaphragm", "0" }, "--diaphragm takes 1, 2, 3 or 4, not '0'" },
        { { "--aavso", aavso, "--obscode", "XYZ", "--name", "SS CYG", "--filter", "Clear" },
            "--aavso: The filter 'Clear' is not an AAVSO filter code" },
        { { "--comp", "St2" }, "--comp takes SLOT=MAG[,SLOT=MAG...], not 'St2'" },
        { { "--comp", "St2=11.2,Var1=12" },
            "--comp Var1=12: the comparison star is not one of St1..St19 of the stars file" },
        { { "--comp", "St2=11.2,1=11.3" }, "--comp: St 2 is named twice among the comparison stars" },
    };
    for (const auto& c : cases) {
        const test::CliRun run = test::RunCli(Patrol(sample, c.extra));
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "lumvane-cli patrol: " + c.message);
        EXPECT_FALSE(std::filesystem::exists(aavso));
    }
}

} // namespace
} // namespace lumvane
