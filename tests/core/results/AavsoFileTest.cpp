#include "SampleResults.h"

#include "core/results/AavsoFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lumvane {
namespace {

AavsoSettings Observer()
{
    AavsoSettings settings;
    settings.observerCode = "xyz";
    settings.starName = "SS CYG";
    settings.chart = "X12345ABC";
    return settings;
}

/// The report's lines without their CR LF; every line must end with one.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

TEST(AavsoReport, SampleSeriesParsesBackFieldByField)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F), test::SampleAt("var.002", 10, 2000.0F),
        test::SampleAt("var.003", 20, 4000.0F) });
    // File 3's header had no usable date.
    FileEntry undated = series.files.Entry(3);
    undated.observationStart.reset();
    series.files.SetCurrentFile(3);
    series.files.RecordCurrent(undated);

    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, Observer());
    ASSERT_EQ(report.problem, "");
    EXPECT_TRUE(report.leftOut.empty());
    EXPECT_EQ(report.lines, 3);
    const auto lines = Lines(report.text);
    ASSERT_EQ(lines.size(), 9U);
    EXPECT_EQ(lines[0], "#TYPE=EXTENDED");
    EXPECT_EQ(lines[1], "#OBSCODE=XYZ");
    EXPECT_EQ(lines[2].rfind("#SOFTWARE=Lumvane ", 0), 0U) << lines[2];
    EXPECT_GT(lines[2].size(), std::string("#SOFTWARE=Lumvane ").size());
    EXPECT_EQ(lines[3], "#DELIM=,");
    EXPECT_EQ(lines[4], "#DATE=JD");
    EXPECT_EQ(lines[5], "#OBSTYPE=CCD");

    // NAME, DATE, MAG, MERR, FILT, TRANS, MTYPE, CNAME, CMAG, KNAME, KMAG,
    // AMASS, GROUP, CHART, NOTES. Mid-exposure 12:00:05 UTC; St1 has 10000
    // counts in 10 s and catalogue magnitude 10, Var 1 1000 counts.
    using Row = std::vector<std::string>;
    EXPECT_EQ(Fields(lines[6]),
        (Row { "SS CYG", "2451545.00006", "12.500", "0.045", "V", "NO", "STD", "St1", "-7.500", "St 2", "-5.995", "na",
            "na", "X12345ABC", "na" }));
    const Row second = Fields(lines[7]);
    ASSERT_EQ(second.size(), 15U);
    EXPECT_EQ(second[1], "2451545.00700");
    EXPECT_EQ(second[2], "11.747");
    const Row third = Fields(lines[8]);
    ASSERT_EQ(third.size(), 15U);
    EXPECT_EQ(third[1], "na");
    EXPECT_EQ(third[2], "10.995");
}

TEST(AavsoReport, LinesThatCantBeMadeValidAreLeftOutAndListed)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F), test::SampleAt("var.002", 10, 0.0F),
        test::SampleAt("var.003", 20, 4000.0F), test::SampleAt("var.004", 30, 4000.0F),
        test::SampleAt("var.005", 40, 4000.0F), test::SampleAt("var.006", 50, 4000.0F) });
    const auto change = [&](int file, auto edit) {
        FileEntry entry = series.files.Entry(file);
        edit(entry);
        series.files.SetCurrentFile(file);
        series.files.RecordCurrent(entry);
    };
    change(3, [](FileEntry& entry) { entry.filterName = "Johnson V"; });
    change(4, [](FileEntry& entry) { entry.exposure = 0.0F; });
    change(5, [](FileEntry& entry) { entry.filterName = "cv"; });
    series.table.SetStatus(19, 6, 0, MeasureStatus::Saturated);
    series.files.SetCurrentFile(6);

    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, Observer());
    ASSERT_EQ(report.problem, "");
    EXPECT_EQ(report.lines, 2);
    ASSERT_EQ(report.leftOut.size(), 4U);
    EXPECT_EQ(report.leftOut[3].reason, "the variable is saturated");
    EXPECT_EQ(report.leftOut[0].file, 2);
    EXPECT_EQ(report.leftOut[0].fileName, "var.002");
    EXPECT_EQ(report.leftOut[0].reason, "the variable was not measured");
    EXPECT_EQ(report.leftOut[1].file, 3);
    EXPECT_EQ(report.leftOut[1].reason, "its filter 'Johnson V' is not an AAVSO filter code");
    EXPECT_EQ(report.leftOut[2].file, 4);
    EXPECT_EQ(report.leftOut[2].reason, "its magnitude has no value (no exposure time or no net counts)");
    const auto lines = Lines(report.text);
    ASSERT_EQ(lines.size(), 8U);
    // A filter code in either case is written as the database spells it.
    EXPECT_EQ(Fields(lines[7]).at(4), "CV");
}

TEST(AavsoReport, NoFilterCardIsNaAndNoCheckStarIsNa)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F) });
    FileEntry entry = series.files.Entry(1);
    entry.filterName.clear();
    series.files.RecordCurrent(entry);
    AavsoSettings settings = Observer();
    settings.checkSlot = kNoCheckStar;
    settings.chart.clear();

    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, settings);
    ASSERT_EQ(report.problem, "");
    const auto fields = Fields(Lines(report.text).at(6));
    ASSERT_EQ(fields.size(), 15U);
    EXPECT_EQ(fields[4], "na");
    EXPECT_EQ(fields[9], "na");
    EXPECT_EQ(fields[10], "na");
    EXPECT_EQ(fields[13], "na");
}

TEST(AavsoReport, MagnitudesAreStandardEvenWhenTheResultsFileIsInstrumental)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F) });
    series.settings.relativeToSt1 = false;
    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, Observer());
    EXPECT_EQ(Fields(Lines(report.text).at(6)).at(2), "12.500");

    series.settings.st1Magnitude = std::nullopt;
    EXPECT_EQ(AavsoReportText(series.table, series.files, series.settings, Observer()).problem,
        "Standard magnitudes need St1's catalogue magnitude");
}

TEST(AavsoReport, WhatKeepsTheExportFromBeingMade)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F) });
    const auto problem = [&](auto edit) {
        AavsoSettings settings = Observer();
        edit(settings);
        const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, settings);
        EXPECT_TRUE(report.text.empty());
        return report.problem;
    };
    EXPECT_EQ(problem([](AavsoSettings& s) { s.variableSlot = 20; }), "Var 2 was not remembered on the first file");
    EXPECT_EQ(
        problem([](AavsoSettings& s) { s.checkSlot = 2; }), "The check star St 3 was not remembered on the first file");
    EXPECT_EQ(problem([](AavsoSettings& s) { s.diaphragm = 1; }), "Diaphragm 2 has no radius");
    EXPECT_EQ(problem([](AavsoSettings& s) { s.observerCode = ""; }), "The observer code is empty");
}

TEST(AavsoSettings, FieldsAreCheckedAgainstTheFormat)
{
    const struct {
        AavsoSettings settings;
        std::string problem;
    } cases[] = {
        { { "ABC", "SS CYG", "X123", kVar1Slot, kSt2Slot, 0 }, "" },
        { { "ABCDEF", "SS CYG", "X123", kVar1Slot, kSt2Slot, 0 }, "The observer code is longer than 5 characters" },
        { { "A,B", "SS CYG", "X123", kVar1Slot, kSt2Slot, 0 },
            "The observer code holds a comma, the file's delimiter" },
        { { "A B", "SS CYG", "X123", kVar1Slot, kSt2Slot, 0 },
            "The observer code holds a character other than a letter or a digit" },
        { { "ABC", "SS CYG, again", "X123", kVar1Slot, kSt2Slot, 0 },
            "The star's name holds a comma, the file's delimiter" },
        { { "ABC", std::string(31, 'A'), "X123", kVar1Slot, kSt2Slot, 0 },
            "The star's name is longer than 30 characters" },
        { { "ABC", "SS CYG\t", "X123", kVar1Slot, kSt2Slot, 0 },
            "The star's name holds a character other than printable ASCII" },
        { { "ABC", "SS CYG", std::string(21, '1'), kVar1Slot, kSt2Slot, 0 }, "The chart is longer than 20 characters" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(AavsoSettingsProblem(c.settings), c.problem) << c.settings.observerCode << "|" << c.settings.starName;
}

TEST(AavsoSettings, RememberedAsKeyValueLines)
{
    AavsoSettings settings { "XYZ", "V0455 AND", "X28561AB", 21, kNoCheckStar, 2 };
    const std::string text = AavsoSettingsText(settings);
    EXPECT_EQ(text, "OBSCODE=XYZ\r\nNAME=V0455 AND\r\nCHART=X28561AB\r\nVARIABLE=21\r\nCHECK=-1\r\nDIAPHRAGM=2\r\n");
    const AavsoSettings back = AavsoSettingsFromText(text);
    EXPECT_EQ(back.observerCode, "XYZ");
    EXPECT_EQ(back.starName, "V0455 AND");
    EXPECT_EQ(back.chart, "X28561AB");
    EXPECT_EQ(back.variableSlot, 21);
    EXPECT_EQ(back.checkSlot, kNoCheckStar);
    EXPECT_EQ(back.diaphragm, 2);

    // A damaged file: what can't be read keeps its default, a name keeps its "=".
    const AavsoSettings damaged = AavsoSettingsFromText("NAME=A=B\nVARIABLE=7\ngarbage\nDIAPHRAGM=4\r\n");
    EXPECT_EQ(damaged.starName, "A=B");
    EXPECT_EQ(damaged.variableSlot, kVar1Slot);
    EXPECT_EQ(damaged.diaphragm, 0);
}

} // namespace
} // namespace lumvane
