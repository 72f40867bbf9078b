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

/// A star remembered on a file, centred at (100, 120).
struct Remembered {
    int slot;
    int file;
    std::array<float, 4> net;
    std::array<float, 4> error;
    std::array<float, 4> radius { 8, 0, 0, 0 };
    std::array<MeasureStatus, 4> status { MeasureStatus::Ok, MeasureStatus::Ok, MeasureStatus::Ok, MeasureStatus::Ok };
};

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
        { 1.0e15, 17, std::nullopt }, // 16 digits: more than any field holds
        { std::nan(""), 7, std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FieldNumberText(c.value, c.width), c.text) << c.value;
}

TEST(ResultsFile, WorkedExamples)
{
    using enum MeasureStatus;
    constexpr std::array<MeasureStatus, 4> kUnmeasured { Unmeasured, Unmeasured, Unmeasured, Unmeasured };
    const struct {
        const char* what;
        std::vector<Remembered> stars;
        std::vector<float> exposures; ///< of files m31.001, m31.002, ...
        ResultsFileSettings settings;
        std::string text;
    } cases[] = {
        // -2.5 log10(1000.000001) = -7.50000000108574
        { "10000 counts in 10 s, instrumental", { { 0, 1, { 10000 }, { 0.0123F } } }, { 10 }, { 10, false, { 8 } },
            "File         Time   R  Star 1  Err  \r\n\r\n"
            "m31.001      21:15  8  -7.5    .012\r\n\r\n" },
        // The offset 10 - (-7.5) is held in single precision: St1 reads 10.
        // The heading's star fields start at column 24, the data fields at 23.
        { "relative to St1", { { 0, 1, { 10000 }, { 0.0123F } }, { 9, 1, { 2500 }, { 0.5F } } }, { 10 },
            { 10, true, { 8 } },
            "File         Time   R  Star 1  Err  Star 10 Err  \r\n\r\n"
            "m31.001      21:15  8   10     .012  11.505 .5  \r\n\r\n" },
        { "instrumental, rounded", { { 0, 1, { 10000 }, { 0.0123F } }, { 9, 1, { 2500 }, { 0.5F } } }, { 10 },
            { 10, false, { 8 } },
            "File         Time   R  Star 1  Err  Star 10 Err  \r\n\r\n"
            "m31.001      21:15  8  -7.5    .012 -5.9949 .5  \r\n\r\n" },
        { "no exposure: net counts floored",
            { { 0, 1, { 2500.1234F }, { 0.0123F } }, { 1, 1, { -12.3456F }, { 1.5F } } }, { 0 }, { 10, true, { 8 } },
            "File         Time   R  Star 1  Err  Star 2  Err  \r\n\r\n"
            "m31.001      21:15  8  2500.12 .012-12.346  1.5 \r\n\r\n" },
        { "no logarithm, not measured, saturated",
            { { 0, 1, { 10000 }, { 0.01F } }, { 1, 1, { -5 }, { 0.01F } },
                { 2, 1, { 10000 }, { 0.01F }, {}, kUnmeasured }, { 3, 1, { 10000 }, { 0.01F }, { 8 }, { Saturated } } },
            { 10 }, { std::nullopt, false, { 8 } },
            "File         Time   R  Star 1  Err  Star 2  Err  Star 3  Err  Star 4  Err  \r\n\r\n"
            "m31.001      21:15  8  -7.5    .01  99.999   -   99.999   -   -7.5    .01 \r\n\r\n" },
        // St1 not measured on file 2: no magnitude there is relative to anything.
        { "St1 not measured",
            { { 0, 1, { 10000 }, { 0.01F } }, { 22, 1, { 1000 }, { 0.1F } }, { 0, 2, { 0 }, { 0 }, { 8 }, kUnmeasured },
                { 22, 2, { 1000 }, { 0.1F } } },
            { 10, 10 }, { 10, true, { 8 } },
            "File         Time   R  Star 1  Err  Star 23 Err  \r\n\r\n"
            "m31.001      21:15  8   10     .01   12.5   .1  \r\n\r\n"
            "m31.002      21:15  8  99.999   -   99.999   -  \r\n\r\n" },
        { "a radius text too long wraps to column 23",
            { { 0, 1, { 10000, 10000 }, { 0.0123F, 0.02F }, { 12.5F, 10 } } }, { 10 },
            { std::nullopt, false, { 12.5, 10 } },
            "File         Time   R  Star 1  Err  \r\n\r\n"
            "m31.001      21:15  12.5\r\n"
            "                       -7.5    .012\r\n"
            "m31.001      21:15  10 -7.5    .02 \r\n\r\n" },
        // The radius on every file's lines is the one recorded for the last file.
        { "empty radius boxes drop their lines",
            { { 0, 1, { 10000, 20000, 30000, 40000 }, { 0.01F, 0.02F, 0.03F, 0.04F }, { 8, 0, 5, 0 } },
                { 0, 2, { 1000, 2000, 3000, 4000 }, { 0.1F, 0.2F, 0.3F, 0.4F }, { 8, 0, 6, 0 } } },
            { 10, 10 }, { std::nullopt, false, { 8, 0, 5, 0 } },
            "File         Time   R  Star 1  Err  \r\n\r\n"
            "m31.001      21:15  8  -7.5    .01 \r\n"
            "m31.001      21:15  6  -8.6928 .03 \r\n\r\n"
            "m31.002      21:15  8  -5      .1  \r\n"
            "m31.002      21:15  6  -6.1928 .3  \r\n\r\n" },
        // A star not remembered on the first file has no column at all.
        { "file groups without lines keep their empty line", { { 0, 2, { 10000 }, { 0.01F } } }, { 10, 10, 10 },
            { std::nullopt, false, { 8 } }, "File         Time   R  \r\n\r\n\r\n\r\n\r\n" },
    };
    for (const auto& c : cases) {
        ResultsTable table;
        for (const Remembered& r : c.stars)
            RememberStar(table, r.slot, r.file, { 100, 120, r.net, r.error, r.radius, r.status });
        EXPECT_EQ(ResultsFileText(table, Files(c.exposures), c.settings), c.text) << c.what;
    }
}

} // namespace
} // namespace lumvane
