#include "SampleSeries.h"

#include "cli/PhotometryArguments.h"

#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/SyntheticSky.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

namespace lumvane {
namespace {

/// A sky of 1000 counts with a star of 40000 counts in all (sigma 1.5 px) at
/// pixel (44, 34), 120 x 100 pixels, written with BZERO = 32768.
std::string WriteStarField(const test::TempDir& dir, const std::string& fileName)
{
    constexpr int kWidth = 120;
    constexpr int kHeight = 100;
    std::vector<std::int16_t> values;
    for (int y = kHeight; y >= 1; --y) // the first row of the file is the top one
        for (int x = 1; x <= kWidth; ++x)
            values.push_back(static_cast<std::int16_t>(
                std::lround(1000.0 + test::GaussianStar(x - 44, y - 34, 40'000.0, 1.5)) - 32768));
    auto cards = test::ImageCards(kWidth, kHeight);
    cards.push_back(test::ValueCard("BZERO", "32768"));
    const std::string name = dir.File(fileName);
    test::WriteFileBytes(name, test::HeaderBlocks(cards) + test::DataBlocks(values));
    return name;
}

std::vector<std::vector<std::string>> Rows(const std::string& out)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        rows.emplace_back();
        for (std::string word; words >> word;)
            rows.back().push_back(word);
    }
    return rows;
}

TEST(PhotometryOptions, EachOptionSetsItsSettingOrSaysWhatIsWrong)
{
    const auto settings
        = [](std::array<double, 4> radii, int search, CentringMethod method, PhotometryOptions options) {
              ClickSettings expected;
              expected.radii = radii;
              expected.searchRadius = search;
              expected.method = method;
              expected.options = options;
              return expected;
          };
    const auto peak = CentringMethod::Peak;
    const struct {
        std::vector<std::string> args;
        std::string problem;
        ClickSettings expected;
    } cases[] = {
        { {}, "", settings({ 8, 0, 0, 0 }, 2, peak, { 1.0F, 2.0F, 10.0F }) },
        { { "--radius", "4,6.9,3", "--method", "centroid", "--search", "3.7", "--annulus", "1.5,3", "--median", "20" },
            "", settings({ 4, 6.9, 3, 0 }, 3, CentringMethod::Centroid, { 1.5F, 3.0F, 20.0F }) },
        { { "--median", "0", "--annulus", "0.1,0.2", "--search", "0" }, "",
            settings({ 8, 0, 0, 0 }, 0, peak, { 0.1F, 0.2F, 0.0F }) },
        { { "--radius", "17" }, "a diaphragm radius is 1 to 16 pixels, not '17'", {} },
        { { "--radius", "4,0.5" }, "a diaphragm radius is 1 to 16 pixels, not '4,0.5'", {} },
        { { "--radius", "1,2,3,4,5" }, "--radius takes one to four radii R[,R...], not '1,2,3,4,5'", {} },
        { { "--method", "peak" }, "--method takes max or centroid, not 'peak'", {} },
        { { "--search", "-1" }, "--search takes a radius of 0 or more, not '-1'", {} },
        { { "--annulus", "2,2" }, "Outer radius should be bigger than inner: '2,2'", {} },
        { { "--annulus", "0.05,2" }, "the inner annulus radius R1 is 0.1 or more, not '0.05,2'", {} },
        { { "--annulus", "1,2,3" }, "--annulus takes R1,R2, not '1,2,3'", {} },
        { { "--median", "31" }, "--median takes a percentage from 0 to 30, not '31'", {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        cli::PhotometryArguments arguments;
        std::string operand;
        EXPECT_EQ(cli::ParseOptions(c.args, cli::PhotometryOptions(), arguments, operand), c.problem);
        if (!c.problem.empty())
            continue;
        const ClickSettings got = cli::ClickSettingsOf(arguments);
        EXPECT_EQ(got.radii, c.expected.radii);
        EXPECT_EQ(got.searchRadius, c.expected.searchRadius);
        EXPECT_EQ(got.method, c.expected.method);
        EXPECT_EQ(got.options, c.expected.options);
    }
}

TEST(PhotCommand, MeasuresEachPointAtEachRadiusAndTellsWhatLeftTheImage)
{
    test::TempDir dir;
    const std::string name = WriteStarField(dir, "field.fts");
    const test::CliRun run = test::RunCli({ "phot", name, "--at", "43,35", "--at", "85,65", "--at", "44,95", "--radius",
        "6.9,4,3", "--method", "centroid", "--search", "3", "--annulus", "1.5,3" });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto rows = Rows(run.out);
    ASSERT_EQ(rows.size(), 10U);
    EXPECT_EQ(rows[0],
        (std::vector<std::string> { "x", "y", "radius", "status", "centre_x", "centre_y", "net", "click_net",
            "mag_error", "diaphragm_pixels", "annulus_pixels" }));
    // The star, found from a click a pixel off: the whole of its light within
    // 6 pixels (4 sigma), 1 - exp(-8) of it; in about pi r^2 pixels, the sky
    // from about pi ((3 r)^2 - (1.5 r)^2).
    const auto& star = rows[1];
    ASSERT_EQ(star.size(), 11U);
    EXPECT_EQ((std::vector<std::string>(star.begin(), star.begin() + 4)),
        (std::vector<std::string> { "43", "35", "6", "found" }));
    EXPECT_NEAR(std::stod(star[4]), 44.0, 0.05);
    EXPECT_NEAR(std::stod(star[5]), 34.0, 0.05);
    EXPECT_NEAR(std::stod(star[6]), 40'000.0 * (1.0 - std::exp(-8.0)), 100.0);
    EXPECT_NEAR(std::stod(star[9]), std::numbers::pi * 36.0, 12.0);
    EXPECT_NEAR(std::stod(star[10]), std::numbers::pi * (324.0 - 81.0), 40.0);
    EXPECT_EQ(rows[2].at(2), "4");
    EXPECT_EQ(rows[3].at(2), "3");
    // The empty sky has no star.
    for (std::size_t row = 4; row <= 6; ++row)
        EXPECT_EQ(rows[row].at(3), "not_found") << row;
    // Six pixels from row 95 leave the 100-row image: that point is not
    // measured at any radius from then on.
    for (std::size_t row = 7; row <= 9; ++row)
        EXPECT_EQ((std::vector<std::string>(rows[row].begin() + 3, rows[row].end())),
            (std::vector<std::string> { "outside", "0", "0", "0", "0", "0", "0", "0" }))
            << row;
}

TEST(PhotCommand, DarkAndFlatGiveTheTrueFluxOfTheSample)
{
    SampleSeries sample;
    // St1 on field.002 holds 240000 counts once calibrated; vignetting and
    // the dark pull the raw frame away from it.
    const auto net = [&](const std::vector<std::string>& calibration) {
        std::vector<std::string> args = { "phot", sample.File("field.002"), "--at", "150,361", "--radius", "12" };
        args.insert(args.end(), calibration.begin(), calibration.end());
        const test::CliRun run = test::RunCli(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return std::stod(Rows(run.out).at(1).at(6));
    };
    EXPECT_NEAR(net({ "--dark", sample.File("dark.fts"), "--flat", sample.File("flat.fts") }) / 240'000.0, 1.0, 0.015);
    EXPECT_GT(std::abs(net({}) / 240'000.0 - 1.0), 0.025);
}

TEST(PhotCommand, BadArgumentsAndFilesGiveAMessage)
{
    test::TempDir dir;
    const std::string name = WriteStarField(dir, "field.fts");
    const std::string small = dir.File("small.fts");
    test::WriteFileBytes(
        small, test::HeaderBlocks(test::ImageCards(10, 10)) + test::DataBlocks(std::vector<std::int16_t>(100)));
    const std::string missing = dir.File("missing.fts");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } cases[] = {
        { { name }, 1, "no --at point given" },
        { { "--at", "1,2" }, 1, "no file given" },
        { { name, "--at", "1" }, 1, "--at takes X,Y, not '1'" },
        { { name, "--at", "1,2", "--median", "31" }, 1, "--median takes a percentage from 0 to 30, not '31'" },
        { { missing, "--at", "1,2" }, 2, "Cannot open file " + missing + ": No such file or directory" },
        { { name, "--at", "1,2", "--flat", small }, 2, "The calibration frame is smaller than the image: " + small },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> args = { "phot" };
        args.insert(args.end(), c.args.begin(), c.args.end());
        const test::CliRun run = test::RunCli(args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), "lumvane-cli phot: " + c.message + "\n");
        // A usage error shows the usage.
        EXPECT_EQ(run.err.find("Usage: lumvane-cli phot") != std::string::npos, c.exitCode == 1);
    }
}

} // namespace
} // namespace lumvane
