#include "SampleResults.h"

#include "core/results/CsvFile.h"
#include "core/results/ExportText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumvane {
namespace {

using Row = std::vector<std::string>;

/// Reads RFC 4180 text: quoted fields may hold commas, doubled quotes and
/// line breaks; records end with CR LF.
std::vector<Row> ParseCsv(const std::string& text)
{
    std::vector<Row> rows;
    Row row;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(row.empty() && field.empty()) << "the last record does not end with CR LF";
    return rows;
}

TEST(CsvField, QuotesOnlyWhatNeedsIt)
{
    const std::pair<std::string, std::string> cases[] = {
        { "m31.001", "m31.001" },
        { "", "" },
        { "a,b", "\"a,b\"" },
        { "say \"hi\"", "\"say \"\"hi\"\"\"" },
        { "two\r\nlines", "\"two\r\nlines\"" },
    };
    for (const auto& [text, field] : cases) {
        EXPECT_EQ(CsvField(text), field) << text;
        EXPECT_EQ(ParseCsv(field + "\r\n"), std::vector<Row> { Row { text } }) << text;
    }
}

TEST(FileNameText, TheNameWithoutFolderOrPadding)
{
    EXPECT_EQ(FileNameText("bs/var.002   "), "var.002");
    EXPECT_EQ(FileNameText("y\\obs\\m31.001"), "m31.001");
    EXPECT_EQ(FileNameText("long_m31.001"), "long_m31.001");
    EXPECT_EQ(FileNameText("            "), "");
}

TEST(ResultsCsv, RoundTripsEveryFileStarAndDiaphragm)
{
    test::SampleSeries series({ test::SampleAt("var.001", 0, 1000.0F), test::SampleAt("my,\"odd\".002", 10, 2000.0F) });
    // The second file has a target, so it also has an HJD.
    FileEntry second = series.files.Entry(2);
    second.target = SkyPosition { 83.633083, 22.0145 };
    series.files.SetCurrentFile(2);
    series.files.RecordCurrent(second);
    // Diaphragm 1 too, radius 12 on the last file: two rows per star and file.
    series.settings.radii[1] = 12;
    series.table.SetCell(ResultsTable::kRadiusColumn, 2 + 1, 12.0F);
    series.table.SetShift(2, { 1.5F, -2.25F });

    // An ensemble of St1 and St 2: St1's own magnitude comes from St 2 alone,
    // 11.5 - 7.5 + 5.99485 = 9.99485 +/- sqrt(0.0123^2 + 0.0251^2) = 0.02795.
    const auto rows
        = ParseCsv(ResultsCsvText(series.table, series.files, series.settings, { { 0, 10.0 }, { 1, 11.5 } }));
    ASSERT_EQ(rows.size(), 1U + 2 * 2 * 3);
    EXPECT_EQ(rows[0],
        (Row { "File", "JD", "HJD", "Exposure", "Star", "Radius", "Net counts", "Error", "Instrumental magnitude",
            "Magnitude relative to St1", "X", "Y", "Status", "ShiftX", "ShiftY", "Ensemble magnitude",
            "Ensemble error" }));
    for (const Row& row : rows)
        ASSERT_EQ(row.size(), 17U);

    // File 1, diaphragm 0: St1, St 2, Var 1; no shift outside a series' walk.
    EXPECT_EQ(rows[1],
        (Row { "var.001", "2451545.000058", "na", "10", "St1", "8", "10000", "0.0123", "-7.5000", "10.0000", "100",
            "100", "ok", "na", "na", "9.9949", "0.0280" }));
    EXPECT_EQ(rows[2][4], "St 2");
    EXPECT_EQ(rows[3][4], "Var 1");
    EXPECT_EQ(rows[3][6], "1000");
    EXPECT_EQ(rows[3][7], "0.0456");
    EXPECT_EQ(rows[3][8], "-5.0000");
    EXPECT_EQ(rows[3][9], "12.5000");
    // Diaphragm 1 was not measured: no magnitude, no centre.
    EXPECT_EQ(rows[4][5], "12");
    EXPECT_EQ(Row(rows[5].begin() + 6, rows[5].end()),
        (Row { "0", "0", "na", "na", "na", "na", "unmeasured", "na", "na", "na", "na" }));

    // File 2: a name with a comma and quotes comes back as it was.
    EXPECT_EQ(rows[7][0], "my,\"odd\".002");
    EXPECT_EQ(rows[7][1], "2451545.007002");
    // astropy 5.2.1 gives 2451545.01245220 for M1 (RA 83.633083, Dec 22.0145)
    // at 12:10:05 UTC on 2000-01-01 (see JulianDateTest).
    EXPECT_NEAR(std::stod(rows[7][2]), 2451545.01245220, 1.0 / 86400.0);
    EXPECT_EQ(rows[9][4], "Var 1");
    EXPECT_EQ(rows[9][9], "11.7474");
    EXPECT_EQ(Row(rows[9].begin() + 13, rows[9].begin() + 15), (Row { "1.5", "-2.25" }));
}

TEST(ResultsCsv, NaWhereAValueDoesNotExist)
{
    test::SampleSeries series({ test::SampleAt("nodate.001", 0, 1000.0F), test::SampleAt("dark.002", 10, 500.0F) });
    FileEntry first = series.files.Entry(1);
    first.observationStart.reset();
    series.files.SetCurrentFile(1);
    series.files.RecordCurrent(first);
    FileEntry second = series.files.Entry(2);
    second.exposure = 0.0F;
    series.files.SetCurrentFile(2);
    series.files.RecordCurrent(second);
    series.table.SetCell(ResultsTable::NetColumn(19), ResultsTable::ValueRow(1, 0), -20.0F);

    const auto rows = ParseCsv(ResultsCsvText(series.table, series.files, series.settings, {}));
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_EQ(rows[1][1], "na");
    EXPECT_EQ(rows[1][2], "na");
    // Negative counts: no logarithm.
    EXPECT_EQ(rows[3][6], "-20");
    EXPECT_EQ(rows[3][8], "na");
    EXPECT_EQ(rows[3][9], "na");
    // No exposure time: the counts stay, the magnitudes don't exist.
    EXPECT_EQ(rows[6][3], "0");
    EXPECT_EQ(rows[6][6], "500");
    EXPECT_EQ(rows[6][8], "na");
    EXPECT_EQ(rows[6][9], "na");
}

} // namespace
} // namespace lumvane
