#include "core/results/ResultsFile.h"
#include "core/results/RememberStar.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumvane {
namespace {

/// A run of files with their exposures, all at "21:15", named "m31.00n".
FileList Files(const std::vector<float>& exposures)
{
    FileList files;
    for (std::size_t i = 0; i < exposures.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        files.SetCurrentFile(number);
        FileEntry entry;
        entry.exposure = exposures[i];
        entry.time = "21:15";
        entry.name = "m31.00" + std::to_string(number) + "     ";
        files.RecordCurrent(entry);
    }
    return files;
}

StarRecord Star(std::array<float, 4> net, std::array<float, 4> error, std::array<float, 4> radius)
{
    StarRecord star;
    star.centreX = 100.0F;
    star.centreY = 120.0F;
    star.net = net;
    star.error = error;
    star.radius = radius;
    return star;
}

ResultsFileSettings Settings(std::optional<double> st1, bool relative, std::array<double, 4> radii)
{
    return ResultsFileSettings { st1, relative, radii };
}

TEST(ResultsFile, FieldsShowTheirNumberRoundedToTheirWidthNeverAnExponent)
{
    const struct {
        double value;
        std::size_t width;
        std::optional<std::string> text;
    } cases[] = {
        { -7.28391e-08, 7, " 0" }, // St1 against itself
        { 9.99999999891426, 7, " 10" },
        { 11.57734, 7, " 11.577" },
        { -7.50000000108574, 7, "-7.5" },
        { 0.742654, 7, " .74265" },
        { 0.000012345, 7, " .00001" },
        { -12.3456, 8, "-12.3456" },
        { 1234567.4, 8, " 1234567" },
        { 123456.5, 7, " 123456" }, // halves to even
        { 0.0625, 5, " .062" },
        { 1.2345, 5, " 1.23" },
        { 12345678.0, 8, std::nullopt },
        { 999999.6, 7, std::nullopt },
        { std::nan(""), 7, std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FieldNumberText(c.value, c.width), c.text) << c.value;
}

TEST(ResultsFile, InstrumentalMagnitudeOfTenThousandCountsInTenSeconds)
{
    ResultsTable table;
    RememberStar(table, 0, 1, Star({ 10000, 0, 0, 0 }, { 0.0123F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    const std::string text = ResultsFileText(table, Files({ 10 }), Settings(10, false, { 8, 0, 0, 0 }));
    EXPECT_EQ(text,
        "File         Time   R  Star 1  Err  \r\n"
        "\r\n"
        "m31.001      21:15  8 "
        " -7.5   "
        " .012"
        "\r\n"
        "\r\n");
}

TEST(ResultsFile, RelativeToSt1KeepsTheOffsetInSinglePrecision)
{
    ResultsTable table;
    RememberStar(table, 0, 1, Star({ 10000, 0, 0, 0 }, { 0.0123F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    RememberStar(table, 9, 1, Star({ 2500, 0, 0, 0 }, { 0.5F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    // The heading's star fields start at column 24, the data fields at 23;
    // each star takes 13 characters.
    EXPECT_EQ(ResultsFileText(table, Files({ 10 }), Settings(10, true, { 8, 0, 0, 0 })),
        "File         Time   R  Star 1  Err  Star 10 Err  \r\n"
        "\r\n"
        "m31.001      21:15  8 "
        "  10    "
        " .012"
        "  11.505"
        " .5  "
        "\r\n"
        "\r\n");
    EXPECT_EQ(ResultsFileText(table, Files({ 10 }), Settings(10, false, { 8, 0, 0, 0 })),
        "File         Time   R  Star 1  Err  Star 10 Err  \r\n"
        "\r\n"
        "m31.001      21:15  8 "
        " -7.5   "
        " .012"
        " -5.9949"
        " .5  "
        "\r\n"
        "\r\n");
}

TEST(ResultsFile, LongRadiusTextWrapsTheStarFieldsToColumn23)
{
    ResultsTable table;
    RememberStar(table, 0, 1, Star({ 10000, 10000, 0, 0 }, { 0.0123F, 0.02F, 0, 0 }, { 12.5F, 10, 0, 0 }));
    EXPECT_EQ(ResultsFileText(table, Files({ 10 }), Settings(std::nullopt, false, { 12.5, 10, 0, 0 })),
        "File         Time   R  Star 1  Err  \r\n"
        "\r\n"
        "m31.001      21:15  12.5"
        "\r\n"
        "                      "
        " -7.5   "
        " .012"
        "\r\n"
        "m31.001      21:15  10"
        " -7.5   "
        " .02 "
        "\r\n"
        "\r\n");
}

TEST(ResultsFile, ExposureOfZeroWritesTheNetCountsFlooredToThreeDecimals)
{
    ResultsTable table;
    RememberStar(table, 0, 1, Star({ 2500.1234F, 0, 0, 0 }, { 0.0123F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    RememberStar(table, 1, 1, Star({ -12.3456F, 0, 0, 0 }, { 1.5F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    EXPECT_EQ(ResultsFileText(table, Files({ 0 }), Settings(10, true, { 8, 0, 0, 0 })),
        "File         Time   R  Star 1  Err  Star 2  Err  \r\n"
        "\r\n"
        "m31.001      21:15  8 "
        " 2500.12"
        " .012"
        "-12.346 "
        " 1.5 "
        "\r\n"
        "\r\n");
}

TEST(ResultsFile, EmptyRadiusBoxesDropTheirLinesOnEveryFile)
{
    ResultsTable table;
    RememberStar(table, 0, 1, Star({ 10000, 20000, 30000, 40000 }, { 0.01F, 0.02F, 0.03F, 0.04F }, { 8, 0, 5, 0 }));
    RememberStar(table, 0, 2, Star({ 1000, 2000, 3000, 4000 }, { 0.1F, 0.2F, 0.3F, 0.4F }, { 8, 0, 6, 0 }));
    // The radius on every file's lines is the one recorded for the last file.
    EXPECT_EQ(ResultsFileText(table, Files({ 10, 10 }), Settings(std::nullopt, false, { 8, 0, 5, 0 })),
        "File         Time   R  Star 1  Err  \r\n"
        "\r\n"
        "m31.001      21:15  8 "
        " -7.5   "
        " .01 "
        "\r\n"
        "m31.001      21:15  6 "
        " -8.6928"
        " .03 "
        "\r\n"
        "\r\n"
        "m31.002      21:15  8 "
        " -5     "
        " .1  "
        "\r\n"
        "m31.002      21:15  6 "
        " -6.1928"
        " .3  "
        "\r\n"
        "\r\n");
}

TEST(ResultsFile, FileGroupsWithoutLinesKeepTheirEmptyLine)
{
    // A star not remembered on the first file has no column at all.
    ResultsTable table;
    RememberStar(table, 0, 2, Star({ 10000, 0, 0, 0 }, { 0.01F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    EXPECT_EQ(ResultsFileText(table, Files({ 10, 10, 10 }), Settings(std::nullopt, false, { 8, 0, 0, 0 })),
        "File         Time   R  \r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "\r\n");
}

TEST(ResultsFile, MagnitudeWithoutAValueReads99999)
{
    ResultsTable table;
    RememberStar(table, 0, 1, Star({ 10000, 0, 0, 0 }, { 0.01F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    RememberStar(table, 1, 1, Star({ -5, 0, 0, 0 }, { 0.01F, 0, 0, 0 }, { 8, 0, 0, 0 }));
    EXPECT_EQ(ResultsFileText(table, Files({ 10 }), Settings(std::nullopt, false, { 8, 0, 0, 0 })),
        "File         Time   R  Star 1  Err  Star 2  Err  \r\n"
        "\r\n"
        "m31.001      21:15  8 "
        " -7.5   "
        " .01 "
        " 99.999 "
        " .01 "
        "\r\n"
        "\r\n");
}

} // namespace
} // namespace lumvane
