#include "core/common/UniformRandom.h"
#include "core/image/FitsReader.h"
#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <fitsio.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace lumvane {
namespace {

constexpr int kSize = 512;

const std::vector<std::string> kSeries = { "field.001", "field.002", "field.003", "field.004", "field.005", "field.006",
    "field.007", "field.008", "field.009", "field.010", "field.011", "field.012" };

std::vector<std::string> AllFiles()
{
    std::vector<std::string> names = kSeries;
    names.insert(names.end(), { "dark.fts", "flat.fts", "truth.txt" });
    return names;
}

struct TruthStar {
    std::string file;
    int id = 0;
    double x = 0.0;
    double y = 0.0;
    double flux = 0.0;
    std::string role;
};

std::vector<TruthStar> ReadTruth(const std::string& fileName)
{
    std::ifstream in(fileName);
    std::vector<TruthStar> stars;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        TruthStar star;
        fields >> star.file >> star.id >> star.x >> star.y >> star.flux >> star.role;
        EXPECT_TRUE(fields) << "unreadable truth line: " << line;
        stars.push_back(star);
    }
    return stars;
}

/// A keyword's value as CFITSIO reads it (quotes and trailing blanks of a
/// text removed); empty when absent.
std::string Keyword(const std::string& fileName, const char* name)
{
    int status = 0;
    fitsfile* file = nullptr;
    fits_open_file(&file, fileName.c_str(), READONLY, &status);
    char value[FLEN_VALUE] = "";
    fits_read_keyword(file, name, value, nullptr, &status);
    fits_close_file(file, &status);
    std::string text = value;
    if (text.size() >= 2 && text.front() == '\'') {
        text = text.substr(1, text.size() - 2);
        text.erase(text.find_last_not_of(' ') + 1);
    }
    return text;
}

/// Seconds of the day of an ISO "YYYY-MM-DDThh:mm:ss".
int SecondsOfDay(const std::string& dateObs)
{
    EXPECT_EQ(dateObs.size(), 19U) << dateObs;
    EXPECT_EQ(dateObs.substr(0, 11), "2024-11-08T") << dateObs;
    return std::stoi(dateObs.substr(11, 2)) * 3600 + std::stoi(dateObs.substr(14, 2)) * 60
        + std::stoi(dateObs.substr(17, 2));
}

double Median(std::vector<double> values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

/// Net counts and centroid of a star on a plane of counts given per pixel:
/// the sum within 8 px of (x, y) less the median of the annulus 12..18 px.
struct Measurement {
    double net = 0.0;
    double x = 0.0;
    double y = 0.0;
};

template <typename Counts> Measurement Measure(Counts counts, double x, double y)
{
    std::vector<double> annulus;
    std::vector<std::array<double, 3>> inside;
    const int cx = static_cast<int>(std::lround(x));
    const int cy = static_cast<int>(std::lround(y));
    for (int j = cy - 18; j <= cy + 18; ++j) {
        for (int i = cx - 18; i <= cx + 18; ++i) {
            const double r = std::hypot(i - x, j - y);
            if (r <= 8.0)
                inside.push_back({ static_cast<double>(i), static_cast<double>(j), counts(i, j) });
            else if (r >= 12.0 && r <= 18.0)
                annulus.push_back(counts(i, j));
        }
    }
    const double background = Median(annulus);
    Measurement m;
    for (const auto& [i, j, value] : inside) {
        m.net += value - background;
        m.x += i * (value - background);
        m.y += j * (value - background);
    }
    m.x /= m.net;
    m.y /= m.net;
    return m;
}

class SampleCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<test::TempDir>();
        // The folder doesn't exist yet: the command makes it.
        s_run = test::RunCli({ "sample", s_dir->File("obs") });
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static std::string File(const std::string& name) { return s_dir->File("obs/" + name); }

    static std::unique_ptr<test::TempDir> s_dir;
    static test::CliRun s_run;
};

std::unique_ptr<test::TempDir> SampleCommand::s_dir;
test::CliRun SampleCommand::s_run;

TEST_F(SampleCommand, WritesTheSeriesTheCalibrationFramesAndTheTruth)
{
    EXPECT_EQ(s_run.exitCode, 0);
    EXPECT_EQ(s_run.err, "");
    std::string listed;
    for (const auto& name : AllFiles()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(File(name))) << name;
        listed += File(name) + "\n";
    }
    EXPECT_EQ(s_run.out, listed);
}

TEST_F(SampleCommand, FramesAreUnsigned16BitImagesWithTheirObservationKeywords)
{
    std::vector<std::string> frames = kSeries;
    frames.insert(frames.end(), { "dark.fts", "flat.fts" });
    const struct {
        std::vector<std::string> files;
        const char* keyword;
        std::string value;
    } cases[] = {
        { frames, "BITPIX", "16" },
        { frames, "BZERO", "32768" },
        { kSeries, "BSCALE", "1" },
        { kSeries, "EXPTIME", "30.0" },
        { { "dark.fts" }, "EXPTIME", "30.0" },
        { kSeries, "TEMPERAT", "-20.5" },
        { { "dark.fts" }, "TEMPERAT", "-20.5" },
        { kSeries, "FILTER", "V" },
        { { "flat.fts" }, "FILTER", "V" },
    };
    for (const auto& c : cases)
        for (const auto& name : c.files)
            EXPECT_EQ(Keyword(File(name), c.keyword), c.value) << name << ' ' << c.keyword;

    int previousStart = -1;
    for (const auto& name : kSeries) {
        SCOPED_TRACE(name);
        EXPECT_NE(Keyword(File(name), "OBJECT"), "");
        // Exposures start 60 s after the previous one ended.
        const int start = SecondsOfDay(Keyword(File(name), "DATE-OBS"));
        EXPECT_TRUE(previousStart < 0 || start - previousStart == 90);
        previousStart = start;
    }
    for (const auto& name : frames) {
        SCOPED_TRACE(name);
        const test::CfitsioImage image = test::ReadWithCfitsio(File(name));
        EXPECT_EQ(image.width, kSize);
        EXPECT_EQ(image.height, kSize);
        const auto [low, high] = std::minmax_element(image.values.begin(), image.values.end());
        EXPECT_GT(*low, 0.0);
        EXPECT_LT(*high, 50000.0) << "no star comes near saturation";
    }
}

TEST_F(SampleCommand, TruthListsEveryStarOfEveryFrameWithOneDriftAndOneVariable)
{
    const std::vector<TruthStar> truth = ReadTruth(File("truth.txt"));
    std::map<std::string, std::vector<TruthStar>> byFile;
    for (const auto& star : truth)
        byFile[star.file].push_back(star);
    ASSERT_EQ(byFile.size(), kSeries.size());
    const std::vector<TruthStar>& first = byFile[kSeries[0]];
    ASSERT_GE(first.size(), 20U);
    ASSERT_LE(first.size(), 40U);
    EXPECT_EQ(std::count_if(first.begin(), first.end(), [](const auto& s) { return s.role == "St1"; }), 1);
    EXPECT_EQ(std::count_if(first.begin(), first.end(), [](const auto& s) { return s.role == "var"; }), 1);
    EXPECT_GE(std::count_if(first.begin(), first.end(), [](const auto& s) { return s.role == "comp"; }), 2);

    double largestDrift = 0.0;
    double variableLow = 1e30;
    double variableHigh = 0.0;
    for (const auto& name : kSeries) {
        SCOPED_TRACE(name);
        const std::vector<TruthStar>& stars = byFile[name];
        ASSERT_EQ(stars.size(), first.size());
        const double dx = stars[0].x - first[0].x;
        const double dy = stars[0].y - first[0].y;
        largestDrift = std::max({ largestDrift, std::abs(dx), std::abs(dy) });
        for (std::size_t i = 0; i < stars.size(); ++i) {
            SCOPED_TRACE(stars[i].id);
            EXPECT_EQ(stars[i].id, first[i].id);
            EXPECT_EQ(stars[i].role, first[i].role);
            // The whole field drifts together and stays 40 px inside the edges.
            EXPECT_NEAR(stars[i].x - first[i].x, dx, 0.0015);
            EXPECT_NEAR(stars[i].y - first[i].y, dy, 0.0015);
            EXPECT_GE(std::min(stars[i].x - 1, stars[i].y - 1), 40.0);
            EXPECT_GE(std::min(kSize - stars[i].x, kSize - stars[i].y), 40.0);
            if (stars[i].role == "var") {
                variableLow = std::min(variableLow, stars[i].flux);
                variableHigh = std::max(variableHigh, stars[i].flux);
            } else {
                EXPECT_EQ(stars[i].flux, first[i].flux);
            }
        }
    }
    EXPECT_GT(largestDrift, 1.0);
    EXPECT_LE(largestDrift, 6.0);
    const double swing = 2.5 * std::log10(variableHigh / variableLow);
    EXPECT_GT(swing, 0.4);
    EXPECT_LT(swing, 0.6);
}

TEST_F(SampleCommand, StarsLieAtTheirTruthPositionsAndCalibrationRecoversTheirFlux)
{
    ImageStore store;
    UniformRandom random;
    ASSERT_EQ(ReadFitsImage(store, File("dark.fts"), PlaneId::Ds, random).status, FitsReadStatus::Read);
    ASSERT_EQ(ReadFitsImage(store, File("flat.fts"), PlaneId::Ff, random).status, FitsReadStatus::Read);
    double flatSum = 0.0;
    for (int y = 1; y <= kSize; ++y)
        for (int x = 1; x <= kSize; ++x)
            flatSum += Physical(store.ff.At(x, y));
    const double flatMean = flatSum / (kSize * kSize);
    EXPECT_NEAR(flatMean, 20000.0, 1000.0);
    const auto raw = [&store](int x, int y) { return static_cast<double>(Physical(store.img.At(x, y))); };
    const auto calibrated = [&store, flatMean](int x, int y) {
        return (Physical(store.img.At(x, y)) - Physical(store.ds.At(x, y))) * flatMean / Physical(store.ff.At(x, y));
    };

    std::string loaded;
    int measured = 0;
    double rawLow = 2.0;
    double rawHigh = 0.0;
    for (const auto& star : ReadTruth(File("truth.txt"))) {
        SCOPED_TRACE(star.file + " star " + std::to_string(star.id));
        if (star.file != loaded) {
            ASSERT_EQ(ReadFitsImage(store, File(star.file), PlaneId::Img, random).status, FitsReadStatus::Read);
            loaded = star.file;
        }
        // The brightest pixel around the star is the one under its centre.
        const int cx = static_cast<int>(std::lround(star.x));
        const int cy = static_cast<int>(std::lround(star.y));
        int bestX = cx;
        int bestY = cy;
        for (int y = cy - 6; y <= cy + 6; ++y)
            for (int x = cx - 6; x <= cx + 6; ++x)
                if (store.img.At(x, y) > store.img.At(bestX, bestY)) {
                    bestX = x;
                    bestY = y;
                }
        EXPECT_LE(std::hypot(bestX - star.x, bestY - star.y), 1.5);
        if (star.role == "-")
            continue;
        // The light's centroid sits on the truth, not half a pixel off, and
        // its flux is the truth's once calibrated.
        const Measurement m = Measure(calibrated, star.x, star.y);
        EXPECT_NEAR(m.x, star.x, 0.15);
        EXPECT_NEAR(m.y, star.y, 0.15);
        EXPECT_NEAR(m.net / star.flux, 1.0, 0.04);
        const double rawRatio = Measure(raw, star.x, star.y).net / star.flux;
        rawLow = std::min(rawLow, rawRatio);
        rawHigh = std::max(rawHigh, rawRatio);
        ++measured;
    }
    EXPECT_EQ(measured, 12 * 5);
    // Without the flat the vignetting shows: stars near the middle come out
    // brighter than those further out.
    EXPECT_GT(rawHigh - rawLow, 0.05);
}

TEST_F(SampleCommand, WritesTheSameBytesEveryTime)
{
    const test::CliRun again = test::RunCli({ "sample", s_dir->File("again") });
    ASSERT_EQ(again.exitCode, 0);
    for (const auto& name : AllFiles())
        EXPECT_EQ(test::ReadFileBytes(File(name)), test::ReadFileBytes(s_dir->File("again/" + name))) << name;

    // Into a folder that holds a sample already: the files are replaced.
    test::WriteFileBytes(s_dir->File("again/field.003"), "not a FITS file");
    ASSERT_EQ(test::RunCli({ "sample", s_dir->File("again") }).exitCode, 0);
    EXPECT_EQ(test::ReadFileBytes(File("field.003")), test::ReadFileBytes(s_dir->File("again/field.003")));
}

TEST_F(SampleCommand, RefusesAFolderItCannotMakeAndAnythingButOneFolder)
{
    test::TempDir dir;
    test::WriteFileBytes(dir.File("plain"), "a file, not a folder");
    for (const std::string& folder : { dir.File("plain"), dir.File("plain/obs") }) {
        SCOPED_TRACE(folder);
        const test::CliRun run = test::RunCli({ "sample", folder });
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("lumvane-cli sample: cannot make the folder " + folder + ": ", 0), 0U) << run.err;
    }
    for (const std::vector<std::string>& args :
        { std::vector<std::string> { "sample" }, std::vector<std::string> { "sample", dir.File("a"), dir.File("b") },
            std::vector<std::string> { "sample", "-x" } })
        EXPECT_EQ(test::RunCli(args).exitCode, 1) << args.back();
    EXPECT_FALSE(std::filesystem::exists(dir.File("a")));
}

} // namespace
} // namespace lumvane
