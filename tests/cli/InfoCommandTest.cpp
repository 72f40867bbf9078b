#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(InfoCommand, PrintsHeaderValuesCutsAndPixelsInOrder)
{
    test::TempDir dir;
    const std::string name = dir.File("star.fts");
    auto cards = test::ImageCards(30, 30);
    cards.push_back(test::ValueCard("BZERO", "32768"));
    cards.push_back(test::ValueCard("EXPTIME", "30"));
    cards.push_back(test::ValueCard("TEMPERAT", "-20.5"));
    cards.push_back(test::ValueCard("FILTER", "'V'"));
    cards.push_back(test::ValueCard("DATE-OBS", "'2026-12-06T21:15:30'"));
    std::vector<std::int16_t> values(900, -1); // physical 32767
    values[0] = 100; // file row 1 = top row: (1, 30)
    test::WriteFileBytes(name, test::HeaderBlocks(cards) + test::DataBlocks(values));

    const test::CliRun run = test::RunCli({ "info", name, "--pixel", "1,30", "--pixel", "2,1" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
        "file: " + name
            + "\n"
              "header_bytes: 2880\n"
              "BITPIX: 16\n"
              "NAXIS1: 30\n"
              "NAXIS2: 30\n"
              "BZERO: 32768\n"
              "BSCALE: 1\n"
              "exposure: 30\n"
              "temperature: -20.5\n"
              "date: 2026-12-06\n"
              "time: 21:15:30\n"
              "filter: V\n"
              "history: \n"
              "black_cut: 31128\n"
              "white_cut: 63895\n"
              "pixel 1 30: 32868\n"
              "pixel 2 1: 32767\n");
}

TEST(InfoCommand, BadInputGivesAMessageAndNonZeroExit)
{
    test::TempDir dir;
    const std::string m51 = test::TestDataFile("real/m51_pix.fits");
    const test::CliRun missing = test::RunCli({ "info", dir.File("missing.fts") });
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(
        missing.err, "lumvane-cli info: Cannot open file " + dir.File("missing.fts") + ": No such file or directory\n");
    EXPECT_EQ(test::RunCli({ "info" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "info", m51, "--pixel", "513,1" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "info", m51, "--plane", "XX" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "info", m51, "--pixel", "1.5,2" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "nonsense" }).exitCode, 1);
}

} // namespace
} // namespace lumvane
