#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/SyntheticSky.h"
#include "support/TempDir.h"

#include "core/common/UniformRandom.h"
#include "core/image/Calibration.h"
#include "core/image/FitsReader.h"
#include "core/photometry/StarCentring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace lumvane {
namespace {

// Room enough that no annulus of the tests below reaches past the edges, where
// the pixels outside count 0 and pull the background down.
constexpr int kWidth = 120;
constexpr int kHeight = 100;

/// A sky of `sky` counts with one star of 40000 counts at pixel (44, 34) when
/// `star` is set; written with BZERO = 32768.
std::string WriteField(const test::TempDir& dir, const std::string& fileName, int sky, bool star)
{
    std::vector<std::int16_t> values;
    for (int y = kHeight; y >= 1; --y) // the first row of the file is the top one
        for (int x = 1; x <= kWidth; ++x) {
            const double starCounts = star ? test::GaussianStar(x - 44, y - 34, 40'000.0, 1.5) : 0.0;
            values.push_back(static_cast<std::int16_t>(std::lround(sky + starCounts) - 32768));
        }
    auto cards = test::ImageCards(kWidth, kHeight);
    cards.push_back(test::ValueCard("BZERO", "32768"));
    const std::string name = dir.File(fileName);
    test::WriteFileBytes(name, test::HeaderBlocks(cards) + test::DataBlocks(values));
    return name;
}

std::string WriteStarField(const test::TempDir& dir)
{
    return WriteField(dir, "field.fts", 1000, true);
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

std::string StatusName(StarStatus status)
{
    return status == StarStatus::Found ? "found" : status == StarStatus::Corner ? "corner" : "not_found";
}

void ExpectRow(const std::vector<std::string>& row, float x, float y, int radius, const StarMeasurement& star,
    const std::string& status)
{
    ASSERT_EQ(row.size(), 11U);
    EXPECT_EQ(std::stof(row[0]), x);
    EXPECT_EQ(std::stof(row[1]), y);
    EXPECT_EQ(row[2], std::to_string(radius));
    EXPECT_EQ(row[3], status);
    // Nine significant digits give every single float back exactly.
    EXPECT_EQ(std::stof(row[4]), star.centreX);
    EXPECT_EQ(std::stof(row[5]), star.centreY);
    EXPECT_EQ(std::stof(row[6]), star.starNet);
    EXPECT_EQ(std::stof(row[7]), star.clickNet);
    EXPECT_EQ(std::stof(row[8]), star.magError);
    EXPECT_EQ(row[9], std::to_string(star.diaphragmPixels));
    EXPECT_EQ(row[10], std::to_string(star.annulusPixels));
}

TEST(PhotCommand, PrintsTheCoresMeasurementForEachPointAndRadius)
{
    test::TempDir dir;
    const std::string name = WriteStarField(dir);
    ImageStore store;
    UniformRandom random;
    ASSERT_EQ(ReadFitsImage(store, name, PlaneId::Img, random).status, FitsReadStatus::Read);
    const PhotometryOptions options { 1.5F, 3.0F, 20.0F };

    for (const auto method : { CentringMethod::Peak, CentringMethod::Centroid }) {
        const test::CliRun run = test::RunCli({ "phot", name, "--at", "42.5,35.25", "--at", "85,65", "--at", "44,95",
            "--radius", "4,6.9,3", "--method", method == CentringMethod::Peak ? "max" : "centroid", "--search", "3",
            "--annulus", "1.5,3", "--median", "20" });
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "x y radius status centre_x centre_y net click_net mag_error diaphragm_pixels annulus_pixels");
        const auto rows = Rows(run.out);
        ASSERT_EQ(rows.size(), 10U);
        std::size_t row = 1;
        for (const auto& [x, y] :
            { std::pair { 42.5F, 35.25F }, std::pair { 85.0F, 65.0F }, std::pair { 44.0F, 95.0F } }) {
            for (const int radius : { 4, 6, 3 }) {
                // Row 95 leaves room for r = 4 but not for r = 6; r = 3 after
                // it is not measured either, as with a click.
                if (y == 95.0F && radius != 4) {
                    EXPECT_EQ(rows[row++],
                        (std::vector<std::string> {
                            "44", "95", std::to_string(radius), "outside", "0", "0", "0", "0", "0", "0", "0" }));
                    continue;
                }
                const StarMeasurement star = MeasureStar(method, store.img, x, y, radius, 3, options);
                // The star is found; the empty sky 50 pixels away has none.
                ExpectRow(rows[row++], x, y, radius, star,
                    y > 90.0F       ? StatusName(star.status)
                        : x < 50.0F ? "found"
                                    : "not_found");
            }
        }
    }
}

TEST(PhotCommand, ZeroSkyIsACornerForMaxAndNoStarForCentroid)
{
    test::TempDir dir;
    const std::string name = WriteField(dir, "dark.fts", 0, false);
    ImageStore store;
    UniformRandom random;
    ReadFitsImage(store, name, PlaneId::Img, random);
    const test::CliRun max = test::RunCli({ "phot", name, "--at", "30,20" });
    ExpectRow(Rows(max.out).at(1), 30.0F, 20.0F, 8,
        MeasureStarPeak(store.img, 30.0F, 20.0F, 8, 2, PhotometryOptions {}), "corner");
    const test::CliRun centroid = test::RunCli({ "phot", name, "--at", "30,20", "--method", "centroid" });
    EXPECT_EQ(Rows(centroid.out)[1][3], "not_found");
}

TEST(PhotCommand, DefaultsAreRadius8MaxSearch2AndTheDefaultOptions)
{
    test::TempDir dir;
    const std::string name = WriteStarField(dir);
    ImageStore store;
    UniformRandom random;
    ReadFitsImage(store, name, PlaneId::Img, random);
    const test::CliRun run = test::RunCli({ "phot", name, "--at", "45,33" });
    ASSERT_EQ(run.exitCode, 0);
    const auto rows = Rows(run.out);
    ASSERT_EQ(rows.size(), 2U);
    ExpectRow(rows[1], 45.0F, 33.0F, 8, MeasureStarPeak(store.img, 45.0F, 33.0F, 8, 2, PhotometryOptions {}), "found");
}

TEST(PhotCommand, DarkAndFlatCalibrateTheImageAsTheMenuCommandsDo)
{
    test::TempDir dir;
    ASSERT_EQ(test::RunCli({ "sample", dir.Path().string() }).exitCode, 0);
    const std::string field = dir.File("field.002");
    // Dark Subtract, then Flat Field, as the Image menu applies them: the
    // flat's mean divides by the flat's own NAXIS1 and NAXIS2.
    ImageStore store;
    UniformRandom random;
    ReadFitsImage(store, field, PlaneId::Img, random);
    ReadFitsImage(store, dir.File("dark.fts"), PlaneId::Ds, random);
    ASSERT_TRUE(DarkSubtract(store.img, store.ds));
    ReadFitsImage(store, dir.File("flat.fts"), PlaneId::Ff, random);
    ASSERT_TRUE(
        FlatField(store.img, store.ff, *FlatMean(store.ff, store.img, store.header.naxis1, store.header.naxis2)));

    const test::CliRun run = test::RunCli({ "phot", field, "--at", "150,360", "--at", "262,258", "--dark",
        dir.File("dark.fts"), "--flat", dir.File("flat.fts") });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto rows = Rows(run.out);
    ASSERT_EQ(rows.size(), 3U);
    ExpectRow(
        rows[1], 150.0F, 360.0F, 8, MeasureStarPeak(store.img, 150.0F, 360.0F, 8, 2, PhotometryOptions {}), "found");
    ExpectRow(
        rows[2], 262.0F, 258.0F, 8, MeasureStarPeak(store.img, 262.0F, 258.0F, 8, 2, PhotometryOptions {}), "found");

    // A frame smaller than the image is refused.
    const std::string small = WriteField(dir, "small.fts", 10, false);
    const test::CliRun refused = test::RunCli({ "phot", field, "--at", "150,360", "--flat", small });
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "lumvane-cli phot: The calibration frame is smaller than the image: " + small + "\n");
}

TEST(PhotCommand, BadArgumentsAndFilesGiveAMessage)
{
    test::TempDir dir;
    const std::string name = WriteStarField(dir);
    const struct {
        std::vector<std::string> args;
        std::string message;
    } usage[] = {
        { { "phot", name }, "no --at point given" },
        { { "phot", "--at", "1,2" }, "no file given" },
        { { "phot", name, "--at", "1" }, "--at takes X,Y, not '1'" },
        { { "phot", name, "--at", "1,2", "--radius", "17" }, "a diaphragm radius is 1 to 16 pixels, not '17'" },
        { { "phot", name, "--at", "1,2", "--radius", "4,0.5" }, "a diaphragm radius is 1 to 16 pixels, not '4,0.5'" },
        { { "phot", name, "--at", "1,2", "--radius", "1,2,3,4,5" },
            "--radius takes one to four radii R[,R...], not '1,2,3,4,5'" },
        { { "phot", name, "--at", "1,2", "--method", "peak" }, "--method takes max or centroid, not 'peak'" },
        { { "phot", name, "--at", "1,2", "--search", "-1" }, "--search takes a radius of 0 or more, not '-1'" },
        { { "phot", name, "--at", "1,2", "--annulus", "2,2" }, "Outer radius should be bigger than inner: '2,2'" },
        { { "phot", name, "--at", "1,2", "--annulus", "0.05,2" },
            "the inner annulus radius R1 is 0.1 or more, not '0.05,2'" },
        { { "phot", name, "--at", "1,2", "--median", "31" }, "--median takes a percentage from 0 to 30, not '31'" },
    };
    for (const auto& c : usage) {
        const test::CliRun run = test::RunCli(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "lumvane-cli phot: " + c.message);
    }

    const test::CliRun missing = test::RunCli({ "phot", dir.File("missing.fts"), "--at", "1,2" });
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(
        missing.err, "lumvane-cli phot: Cannot open file " + dir.File("missing.fts") + ": No such file or directory\n");
}

} // namespace
} // namespace lumvane
