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

/// Replaces file f's list entry by what `edit` makes of it.
template <typename Edit> void Change(test::SampleSeries& series, int file, Edit edit)
{
    const int current = series.files.CurrentFile();
    FileEntry entry = series.files.Entry(file);
    edit(entry);
    series.files.SetCurrentFile(file);
    series.files.RecordCurrent(entry);
    series.files.SetCurrentFile(current);
}

TEST(AavsoReport, UnfilteredSeriesWithTheObserversFilterParsesBackFieldByField)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F), test::SampleAt("var.002", 10, 2000.0F),
        test::SampleAt("var.003", 20, 4000.0F) });
    for (int f = 1; f <= 3; ++f)
        Change(series, f, [](FileEntry& entry) { entry.filterName = "Clear"; });
    Change(series, 1, [](FileEntry& entry) { entry.airmass = 1.23456; });
    // MERR is Var 1's error beside St1's, here 0: rounded to the thousandth.
    const float errors[] = { 0.01249F, 0.01251F, 0.0456F };
    for (int f = 1; f <= 3; ++f) {
        series.table.SetCell(ResultsTable::ErrorColumn(0), ResultsTable::ValueRow(f, 0), 0.0F);
        series.table.SetCell(ResultsTable::ErrorColumn(19), ResultsTable::ValueRow(f, 0), errors[f - 1]);
    }
    AavsoSettings settings = Observer();
    settings.filter = "cv";
    settings.comparisonName = "000-BBP-713";
    settings.checkName = "000-BBP-714";

    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, settings);
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
        (Row { "SS CYG", "2451545.00006", "12.500", "0.012", "CV", "NO", "STD", "000-BBP-713", "-7.500", "000-BBP-714",
            "-5.995", "1.2346", "na", "X12345ABC", "na" }));
    const std::string expected[][3]
        = { { "2451545.00700", "11.747", "0.013" }, { "2451545.01395", "10.995", "0.046" } };
    for (std::size_t line = 0; line < 2; ++line) {
        const Row fields = Fields(lines[7 + line]);
        ASSERT_EQ(fields.size(), 15U);
        EXPECT_EQ(Row(fields.begin() + 1, fields.begin() + 4), Row(expected[line], expected[line] + 3));
        EXPECT_EQ(fields[11], "na");
    }
}

TEST(AavsoReport, LinesThatCantBeMadeValidAreLeftOutAndListed)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F), test::SampleAt("var.002", 10, 0.0F),
        test::SampleAt("var.003", 20, 4000.0F), test::SampleAt("var.004", 30, 4000.0F),
        test::SampleAt("var.005", 40, 4000.0F), test::SampleAt("var.006", 50, 4000.0F),
        test::SampleAt("var.007", 60, 4000.0F), test::SampleAt("var.008", 70, 4000.0F),
        test::SampleAt("var.009", 80, 4000.0F) });
    Change(series, 3, [](FileEntry& entry) { entry.filterName = "Johnson V"; });
    Change(series, 4, [](FileEntry& entry) { entry.exposure = 0.0F; });
    Change(series, 5, [](FileEntry& entry) { entry.filterName = "cv"; });
    series.table.SetStatus(19, 6, 0, MeasureStatus::Saturated);
    Change(series, 7, [](FileEntry& entry) { entry.observationStart.reset(); });
    Change(series, 8, [](FileEntry& entry) { entry.filterName.clear(); });
    Change(series, 9, [](FileEntry& entry) { entry.filterName = "Open"; });

    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, Observer());
    ASSERT_EQ(report.problem, "");
    EXPECT_EQ(report.lines, 2);
    const std::pair<int, std::string> leftOut[] = {
        { 2, "the variable was not measured" },
        { 3, "its filter 'Johnson V' is not an AAVSO filter code" },
        { 4, "its magnitude has no value (no exposure time or no net counts)" },
        { 6, "the variable is saturated" },
        { 7, "its date is unknown (no usable date and time in its header)" },
        { 8, "its header names no filter: give the filter code (CV or CR for unfiltered frames)" },
        { 9, "its header names no filter ('Open'): give the filter code (CV or CR for unfiltered frames)" },
    };
    ASSERT_EQ(report.leftOut.size(), std::size(leftOut));
    for (std::size_t i = 0; i < std::size(leftOut); ++i) {
        EXPECT_EQ(report.leftOut[i].file, leftOut[i].first);
        EXPECT_EQ(report.leftOut[i].reason, leftOut[i].second);
    }
    EXPECT_EQ(report.leftOut[0].fileName, "var.002");
    const auto lines = Lines(report.text);
    ASSERT_EQ(lines.size(), 8U);
    // A filter code in either case is written as the database spells it.
    EXPECT_EQ(Fields(lines[7]).at(4), "CV");

    // No valid line at all: no report, and every file listed.
    const test::SampleSeries unmeasured({ test::SampleAt("var.001", 0, 0.0F) });
    const AavsoReport none = AavsoReportText(unmeasured.table, unmeasured.files, unmeasured.settings, Observer());
    EXPECT_EQ(none.problem, "No file has a line the AAVSO database would take");
    EXPECT_EQ(none.text, "");
    EXPECT_EQ(none.leftOut.size(), 1U);
}

TEST(AavsoReport, AnEnsembleNamesItsComparisonStarsLineByLine)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F), test::SampleAt("var.002", 10, 1000.0F) });
    // St1 is not measured on file 2: the ensemble takes St 2 alone there.
    series.table.SetStatus(0, 2, 0, MeasureStatus::Unmeasured);
    series.settings.st1Magnitude.reset();
    AavsoSettings settings = Observer();
    settings.comparisons = { { 0, 10.0 }, { 1, 11.5 } };
    settings.checkSlot = kNoCheckStar;
    settings.chart.clear();

    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, settings);
    ASSERT_EQ(report.problem, "");
    const auto lines = Lines(report.text);
    ASSERT_EQ(lines.size(), 8U);
    // File 1: estimates 12.500 (St1) and 11.5 - 5 + 5.99485 = 12.49485 (St 2),
    // weights 1 / (0.0456^2 + e^2) for e = 0.0123 and 0.0251: 12.49767 +/- 0.04747.
    // File 2: St 2 alone, 12.49485 +/- sqrt(0.0456^2 + 0.0251^2) = 0.05205.
    using Row = std::vector<std::string>;
    const Row first = Fields(lines[6]);
    EXPECT_EQ(Row(first.begin() + 2, first.end()),
        (Row { "12.498", "0.047", "V", "NO", "STD", "ENSEMBLE", "na", "na", "na", "na", "na", "na",
            "Ensemble|St1=10.000|St 2=11.500" }));
    const Row second = Fields(lines[7]);
    ASSERT_EQ(second.size(), 15U);
    EXPECT_EQ(Row(second.begin() + 2, second.begin() + 4), (Row { "12.495", "0.052" }));
    EXPECT_EQ(second[14], "Ensemble|St 2=11.500");
}

TEST(AavsoReport, MagnitudesAreStandardEvenWhenTheResultsFileIsInstrumental)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F) });
    series.settings.relativeToSt1 = false;
    const AavsoReport report = AavsoReportText(series.table, series.files, series.settings, Observer());
    EXPECT_EQ(Fields(Lines(report.text).at(6)).at(2), "12.500");

    series.settings.st1Magnitude = std::nullopt;
    EXPECT_EQ(AavsoReportText(series.table, series.files, series.settings, Observer()).problem,
        "Standard magnitudes need St1's catalogue magnitude or comparison stars");
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
    EXPECT_EQ(problem([](AavsoSettings& s) { s.diaphragm = 4; }), "Diaphragm 5 has no radius");
    EXPECT_EQ(problem([](AavsoSettings& s) { s.observerCode = ""; }), "The observer code is empty");
}

/// Settings with Var 1, the check star St 2 and diaphragm 1.
AavsoSettings Settings(std::string code, std::string name, std::string chart, std::string filter = {},
    std::string checkName = {}, Ensemble comparisons = {})
{
    AavsoSettings settings;
    settings.observerCode = std::move(code);
    settings.starName = std::move(name);
    settings.chart = std::move(chart);
    settings.filter = std::move(filter);
    settings.checkName = std::move(checkName);
    settings.comparisons = std::move(comparisons);
    return settings;
}

TEST(AavsoSettings, FieldsAreCheckedAgainstTheFormat)
{
    const struct {
        AavsoSettings settings;
        std::string problem;
    } cases[] = {
        { Settings("ABC", "SS CYG", "X123"), "" },
        { Settings("ABCDEF", "SS CYG", "X123"), "The observer code is longer than 5 characters" },
        { Settings("A,B", "SS CYG", "X123"), "The observer code holds a comma, the file's delimiter" },
        { Settings("A B", "SS CYG", "X123"), "The observer code holds a character other than a letter or a digit" },
        { Settings("ABC", "SS CYG, again", "X123"), "The star's name holds a comma, the file's delimiter" },
        { Settings("ABC", std::string(31, 'A'), "X123"), "The star's name is longer than 30 characters" },
        { Settings("ABC", "SS CYG\t", "X123"), "The star's name holds a character other than printable ASCII" },
        { Settings("ABC", "SS CYG", std::string(21, '1')), "The chart is longer than 20 characters" },
        { Settings("ABC", "SS CYG", "X123", "Clear"), "The filter 'Clear' is not an AAVSO filter code" },
        { Settings("ABC", "SS CYG", "X123", "", std::string(21, 'K')),
            "The check star's name is longer than 20 characters" },
        { Settings("ABC", "SS CYG", "X123", "", "", { { 2, 11.0 }, { 2, 12.0 } }),
            "St 3 is named twice among the comparison stars" },
        { Settings("ABC", "SS CYG", "X123", "", "", { { 1, 11.0 } }),
            "The check star St 2 is one of the comparison stars" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(AavsoSettingsProblem(c.settings), c.problem) << c.settings.observerCode << "|" << c.settings.starName;
}

TEST(AavsoSettings, RememberedAsKeyValueLines)
{
    AavsoSettings settings = Settings("XYZ", "V0455 AND", "X28561AB", "CV", "124", { { 0, 11.03 }, { 4, 12.5 } });
    settings.variableSlot = 21;
    settings.checkSlot = kNoCheckStar;
    settings.diaphragm = 3; // the last one
    settings.comparisonName = "110";
    const std::string text = AavsoSettingsText(settings);
    EXPECT_EQ(text,
        "OBSCODE=XYZ\r\nNAME=V0455 AND\r\nCHART=X28561AB\r\nVARIABLE=21\r\nCHECK=-1\r\nDIAPHRAGM=3\r\n"
        "FILTER=CV\r\nCNAME=110\r\nKNAME=124\r\nCOMPARISONS=0=11.03,4=12.5\r\n");
    const AavsoSettings back = AavsoSettingsFromText(text);
    EXPECT_EQ(AavsoSettingsText(back), text);

    // A damaged file: what can't be read keeps its default, a name keeps its "=".
    const AavsoSettings damaged
        = AavsoSettingsFromText("NAME=A=B\nVARIABLE=7\ngarbage\nDIAPHRAGM=4\nCOMPARISONS=1=11,19=12\r\n");
    EXPECT_EQ(damaged.starName, "A=B");
    EXPECT_EQ(damaged.variableSlot, kVar1Slot);
    EXPECT_EQ(damaged.diaphragm, 0);
    EXPECT_TRUE(damaged.comparisons.empty());
}

} // namespace
} // namespace lumvane
