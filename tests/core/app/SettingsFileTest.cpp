#include "core/app/SettingsFile.h"
#include "core/common/FileWrite.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

std::string Settings(const std::string& optionsLine)
{
    return "Do not change this file!\r\n" + optionsLine + "\r\n";
}

TEST(SettingsFile, AMissingFileIsCreatedWithTheDefaultLineAndTheControlsKeepTheirDesignValues)
{
    const TempDir dir;
    const auto file = SettingsFilePath(dir.Path());
    EXPECT_EQ(file.filename(), "tr_ini.int");

    const SettingsLoadResult loaded = LoadSettings(file);
    EXPECT_TRUE(loaded.created);
    EXPECT_EQ(loaded.reason, "");
    EXPECT_EQ(loaded.tab, OptionsTab {});
    EXPECT_EQ(ReadFileBytes(file.string()), "Do not delete or change this file!\r\n20302011\r\n");
}

TEST(SettingsFile, ReadingLeavesTheFileByteForByte)
{
    const TempDir dir;
    const std::string file = dir.File("tr_ini.int");
    const std::string bytes = "Do not change this file!\r\n25403001\r\n";
    WriteFileBytes(file, bytes);
    const SettingsLoadResult loaded = LoadSettings(file);
    EXPECT_FALSE(loaded.created);
    EXPECT_EQ(loaded.tab, (OptionsTab { " 1.5", " 3", " 20", false, true }));
    EXPECT_EQ(ReadFileBytes(file), bytes);
}

TEST(SettingsFile, OptionsLinesDecodeWithTheirRangeChecks)
{
    const struct {
        const char* line;
        OptionsTab tab;
    } cases[] = {
        { "20302011", { " 1", " 2", " 10", true, true } },
        { "25403001", { " 1.5", " 3", " 20", false, true } },
        { "11501000", { " .1", " 4", " 0", false, false } },
        { "45302011", { "1.0", " 2", " 10", true, true } }, // R1 3.5
        { "09302011", { "1.0", " 2", " 10", true, true } }, // R1 -0.1
        { "20152011", { " 1", "2.0", " 10", true, true } }, // R2 0.5
        { "20202011", { " 1", " 1", " 10", true, true } }, // R2 = R1 passes
        { "20512011", { " 1", "2.0", " 10", true, true } }, // R2 4.1
        { "40352011", { " 3", "2.0", " 10", true, true } }, // R2 2.5 below R1 3
        { "20304511", { " 1", " 2", "10", true, true } }, // M 35
        { "20304011", { " 1", " 2", " 30", true, true } }, // M 30 passes
        { "20300511", { " 1", " 2", "10", true, true } }, // M -5
        { "20302001", { " 1", " 2", " 10", false, true } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(OptionsOfSettingsText(Settings(c.line)), c.tab);
    }
    // A line not of the form the program writes is left aside as a whole.
    for (const char* line : { "203020x1", "2030201", "203020111", "2a3b4c11", "-9-9-911", "" })
        EXPECT_EQ(OptionsOfSettingsText(Settings(line)), std::nullopt) << line;
}

TEST(SettingsFile, ThePlaceOfTheOptionsLineIsTheSecondLine)
{
    const OptionsTab expected { " 1.5", " 3", " 20", false, true };
    EXPECT_EQ(OptionsOfSettingsText("comment\n25403001\n"), expected);
    EXPECT_EQ(OptionsOfSettingsText("\r\n25403001\r\nmore\r\n"), expected);
    // A file of one line has no options line.
    EXPECT_EQ(OptionsOfSettingsText("25403001\r\n"), std::nullopt);
}

TEST(SettingsFile, TheShutDownTextCarriesTheAppliedOptionsToTheNextStart)
{
    const TempDir dir;
    const std::string file = dir.File("tr_ini.int");
    const OptionsTab tab { "1.5", "3", "20", false, true };
    OptionsInForce inForce;
    ASSERT_TRUE(ApplyOptions(tab, inForce));

    const WriteResult written = lumvane::WriteFileBytes(file, SavedSettingsText(inForce.record));
    EXPECT_TRUE(written.written);
    EXPECT_EQ(ReadFileBytes(file), "Do not change this file!\r\n25403001\r\n");

    const OptionsTab next = LoadSettings(file).tab;
    EXPECT_EQ(StartUpOptions(next), inForce.options);
    EXPECT_EQ(next.maxMethod, tab.maxMethod);
    EXPECT_EQ(next.saveRelative, tab.saveRelative);
}

} // namespace
} // namespace lumvane
