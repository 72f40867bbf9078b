#include "core/patrol/PatrolWalk.h"

#include "core/results/RememberStar.h"
#include "support/FitsWriter.h"
#include "support/SyntheticSky.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumvane {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

/// A star of the test field as it lies on the first file.
struct FieldStar {
    int slot;
    double x;
    double y;
    double flux;
};

constexpr FieldStar kField[] = {
    { 0, 50.3, 60.6, 200'000.0 }, // St1
    { 5, 110.0, 40.0, 50'000.0 },
    { 19, 120.4, 88.7, 30'000.0 },
};

/// Writes one frame of the field, shifted by (dx, dy), with St1's flux
/// scaled by `st1Scale`: a sky of 1000 counts and Gaussian stars (sigma 1.5
/// pixels), BZERO 32768, 30 seconds.
void WriteFrame(const std::string& fileName, double dx, double dy, double st1Scale = 1.0)
{
    std::vector<std::int16_t> values;
    for (int y = kHeight; y >= 1; --y) { // the file's first row is the top one
        for (int x = 1; x <= kWidth; ++x) {
            double counts = 1000.0;
            for (const FieldStar& star : kField) {
                const double flux = star.flux * (star.slot == 0 ? st1Scale : 1.0);
                counts += test::GaussianStar(x - star.x - dx, y - star.y - dy, flux, 1.5);
            }
            values.push_back(static_cast<std::int16_t>(std::lround(counts) - 32768));
        }
    }
    auto cards = test::ImageCards(kWidth, kHeight);
    cards.push_back(test::ValueCard("BZERO", "32768"));
    cards.push_back(test::ValueCard("EXPTIME", "30"));
    test::WriteFileBytes(fileName, test::HeaderBlocks(cards) + test::DataBlocks(values));
}

struct Recorder : PatrolObserver {
    std::vector<int> files;
    std::vector<PatrolMeasurement> measured;

    void FileRead(int fileNumber, const std::string& /*fileName*/) override { files.push_back(fileNumber); }
    void Measured(const PatrolMeasurement& measurement) override { measured.push_back(measurement); }
};

/// A series in a temporary folder, with the session parts a walk needs.
class PatrolWalkTest : public ::testing::Test {
protected:
    std::string Frame(int n) const { return m_dir.File("m31." + std::string(n < 10 ? "00" : "0") + std::to_string(n)); }

    /// Reads file 1 and remembers the field's stars on it, as a user does
    /// before pressing Continue.
    void StartOnFirstFile()
    {
        StartPatrolSeries(m_store, m_table);
        ASSERT_EQ(ReadFitsImage(m_store, Frame(1), PlaneId::Img, m_random).status, FitsReadStatus::Read);
        ClickSettings click = m_settings.click;
        click.searchRadius = CentreSearchRadius(m_settings.search);
        for (const FieldStar& star : kField) {
            const auto x = static_cast<float>(std::round(star.x) + 1.0);
            const auto y = static_cast<float>(std::round(star.y) - 1.0);
            ASSERT_TRUE(MeasureAndRemember(Data(), star.slot, x, y, click).remembered);
        }
    }

    PatrolData Data() { return { m_store, m_table, m_last, m_random }; }

    PatrolStepResult Step(PatrolWalk& walk) { return walk.Step(Data(), m_settings, m_recorder); }

    /// Where slot s was found on file n (the position row of file n + 1).
    std::pair<float, float> Found(int slot, int fileNumber) const
    {
        const int row = ResultsTable::PositionRow(fileNumber + 1);
        return { m_table.Cell(ResultsTable::NetColumn(slot), row), m_table.Cell(ResultsTable::ErrorColumn(slot), row) };
    }

    test::TempDir m_dir;
    ImageStore m_store;
    ResultsTable m_table;
    LastStar m_last;
    UniformRandom m_random;
    PatrolSettings m_settings;
    Recorder m_recorder;
};

TEST_F(PatrolWalkTest, WalksEveryFileFollowingTheFieldUntilOneIsMissing)
{
    const double shifts[][2] = { { 0, 0 }, { 2, -1 }, { 5, 1 }, { 3, 3 } };
    for (int n = 1; n <= 4; ++n)
        WriteFrame(Frame(n), shifts[n - 1][0], shifts[n - 1][1]);
    // The centroid finds each centre to a fraction of a pixel.
    m_settings.click.method = CentringMethod::Centroid;
    StartOnFirstFile();
    PatrolWalk walk(Frame(1), SeriesCalibration());
    for (int n = 2; n <= 4; ++n) {
        const PatrolStepResult step = Step(walk);
        ASSERT_EQ(step.step, PatrolStep::FileDone) << n;
        EXPECT_EQ(step.fileNumber, n);
        EXPECT_EQ(step.fileName, Frame(n));
        EXPECT_EQ(step.standards.remembered, 3);
        for (const FieldStar& star : kField) {
            const auto [x, y] = Found(star.slot, n);
            EXPECT_NEAR(x, star.x + shifts[n - 1][0], 1.0) << "slot " << star.slot << " file " << n;
            EXPECT_NEAR(y, star.y + shifts[n - 1][1], 1.0) << "slot " << star.slot << " file " << n;
        }
    }
    const PatrolStepResult end = Step(walk);
    EXPECT_EQ(end.step, PatrolStep::EndOfSeries);
    EXPECT_EQ(end.fileName, Frame(5));
    EXPECT_EQ(end.fileNumber, 4);
    EXPECT_EQ(m_store.files.CurrentFile(), 4); // the files read
    EXPECT_EQ(m_recorder.files, (std::vector<int> { 2, 3, 4 }));

    // Per file: St1 twice, then every remembered star in slot order.
    ASSERT_EQ(m_recorder.measured.size(), 15U);
    const PatrolMeasurementKind kinds[]
        = { PatrolMeasurementKind::St1AtStoredPlace, PatrolMeasurementKind::St1AtFoundCentre,
              PatrolMeasurementKind::Star, PatrolMeasurementKind::Star, PatrolMeasurementKind::Star };
    const int slots[] = { 0, 0, 0, 5, 19 };
    for (std::size_t i = 0; i < m_recorder.measured.size(); ++i) {
        EXPECT_EQ(m_recorder.measured[i].kind, kinds[i % 5]) << i;
        EXPECT_EQ(m_recorder.measured[i].slot, slots[i % 5]) << i;
    }
    // File 3's St1 is measured first where it was found on file 2.
    EXPECT_EQ(m_recorder.measured[5].x, Found(0, 2).first);
    EXPECT_EQ(m_recorder.measured[5].y, Found(0, 2).second);
}

TEST_F(PatrolWalkTest, SearchesSt1WiderThanTheOtherStars)
{
    for (const auto& [box, st1, stars] : { std::tuple { 2.0, 7, 2 }, std::tuple { 6.0, 13, 6 } }) {
        WriteFrame(Frame(1), 0, 0);
        WriteFrame(Frame(2), 1, 1);
        m_settings.search = box;
        StartOnFirstFile();
        m_recorder.measured.clear();
        PatrolWalk walk(Frame(1), SeriesCalibration());
        ASSERT_EQ(Step(walk).step, PatrolStep::FileDone);
        for (const PatrolMeasurement& measurement : m_recorder.measured)
            EXPECT_EQ(measurement.searchRadius, measurement.kind == PatrolMeasurementKind::Star ? stars : st1) << box;
        EXPECT_EQ(m_recorder.measured.size(), 5U);
    }
}

TEST_F(PatrolWalkTest, SkipsAStarWhoseStoredXIsZero)
{
    WriteFrame(Frame(1), 0, 0);
    WriteFrame(Frame(2), 1, 0);
    StartOnFirstFile();
    m_table.SetCell(ResultsTable::NetColumn(5), ResultsTable::PositionRow(2), 0.0F);
    PatrolWalk walk(Frame(1), SeriesCalibration());
    const PatrolStepResult step = Step(walk);
    ASSERT_EQ(step.step, PatrolStep::FileDone);
    EXPECT_EQ(step.standards.remembered, 2);
    for (const PatrolMeasurement& measurement : m_recorder.measured)
        EXPECT_NE(measurement.slot, 5);
    EXPECT_EQ(m_table.Cell(ResultsTable::NetColumn(5), ResultsTable::ValueRow(2, 0)), 0.0F);
    EXPECT_EQ(Found(5, 2), std::make_pair(0.0F, 0.0F));
}

TEST_F(PatrolWalkTest, AMissingSecondFileEndsTheSeriesWithFileOne)
{
    WriteFrame(Frame(1), 0, 0);
    StartOnFirstFile();
    PatrolWalk walk(Frame(1), SeriesCalibration());
    const PatrolStepResult step = Step(walk);
    EXPECT_EQ(step.step, PatrolStep::EndOfSeries);
    EXPECT_EQ(step.fileNumber, 1);
    EXPECT_EQ(m_store.files.CurrentFile(), 1);
    EXPECT_TRUE(m_recorder.measured.empty());
}

TEST_F(PatrolWalkTest, St1IsLostBelowAFifthOfItsCountsOnThePreviousFile)
{
    WriteFrame(Frame(1), 0, 0);
    WriteFrame(Frame(2), 1, -1);
    StartOnFirstFile();
    m_store.files.SetCurrentFile(2);
    ReadFitsImage(m_store, Frame(2), PlaneId::Img, m_random);
    const ResultsTable remembered = m_table;
    ASSERT_FALSE(FindStandards(Data(), m_settings, m_recorder).st1Lost);
    const float net = m_table.Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(2, 0));
    ASSERT_GT(net, 150'000.0F);

    const int previousRow = ResultsTable::ValueRow(1, 0);
    for (const auto& [previous, lost] : { std::pair { 4.99F * net, false }, std::pair { 5.01F * net, true } }) {
        m_table = remembered;
        m_table.SetCell(ResultsTable::NetColumn(0), previousRow, previous);
        const StandardsResult result = FindStandards(Data(), m_settings, m_recorder);
        EXPECT_EQ(result.st1Lost, lost) << previous / net;
        // Lost, no star is measured or remembered on the file.
        EXPECT_EQ(m_table.Cell(ResultsTable::NetColumn(5), ResultsTable::ValueRow(2, 0)) != 0.0F, !lost);
    }

    // File 1 has no previous file: St1 is never lost there, even on empty sky.
    m_table = remembered;
    m_store.files.SetCurrentFile(1);
    m_table.SetCell(ResultsTable::NetColumn(0), ResultsTable::PositionRow(1), 10.0F);
    m_table.SetCell(ResultsTable::ErrorColumn(0), ResultsTable::PositionRow(1), 10.0F);
    EXPECT_FALSE(FindStandards(Data(), m_settings, m_recorder).st1Lost);
}

TEST_F(PatrolWalkTest, WaitsOnTheFileWhereSt1IsLostUntilTheUserClicksIt)
{
    WriteFrame(Frame(1), 0, 0);
    WriteFrame(Frame(2), 2, 1, 0.15); // St1 below a fifth of its counts
    WriteFrame(Frame(3), 3, 1);
    StartOnFirstFile();
    PatrolWalk walk(Frame(1), SeriesCalibration());
    PatrolStepResult step = Step(walk);
    ASSERT_EQ(step.step, PatrolStep::St1Lost);
    EXPECT_EQ(step.fileNumber, 2);
    EXPECT_EQ(m_store.files.CurrentFile(), 2);
    EXPECT_TRUE(walk.WaitingForSt1());

    // Continue without a star found at the last click: still lost.
    m_last = LastStar {};
    EXPECT_EQ(Step(walk).step, PatrolStep::St1Lost);
    EXPECT_EQ(m_store.files.CurrentFile(), 2);

    // The user clicks St1 (its measurement sets the last centre), then Continue.
    ClickSettings click;
    MeasureClick(m_store.img, 52.0F, 62.0F, click, St1NetCounts(m_table, 2), m_last);
    const float st1X = m_last.centreX;
    const float st1Y = m_last.centreY;
    step = Step(walk);
    ASSERT_EQ(step.step, PatrolStep::FileDone);
    EXPECT_EQ(step.fileNumber, 2);
    EXPECT_EQ(step.standards.shiftX, st1X - Found(0, 1).first);
    EXPECT_EQ(step.standards.shiftY, st1Y - Found(0, 1).second);
    EXPECT_EQ(step.standards.remembered, 3);
    EXPECT_FALSE(walk.WaitingForSt1());

    // St1 is bright again on file 3: far above a fifth of its faint counts.
    EXPECT_EQ(Step(walk).step, PatrolStep::FileDone);
    EXPECT_EQ(Step(walk).step, PatrolStep::EndOfSeries);
    EXPECT_EQ(m_store.files.CurrentFile(), 3);
}

TEST_F(PatrolWalkTest, CalibratesTheFilesAfterTheFirst)
{
    WriteFrame(Frame(1), 0, 0);
    WriteFrame(Frame(2), 1, 0);
    StartOnFirstFile();
    // A dark of physical 400 everywhere: file 2's sky is 600 after it.
    m_store.ds = ImagePlane(kWidth, kHeight);
    for (int y = 1; y <= kHeight; ++y)
        for (int x = 1; x <= kWidth; ++x)
            m_store.ds.At(x, y) = static_cast<std::int16_t>(400 - kPhysicalOffset);
    PatrolWalk walk(Frame(1), SeriesCalibration(true, false));
    const PatrolStepResult step = Step(walk);
    ASSERT_EQ(step.step, PatrolStep::FileDone);
    EXPECT_FALSE(step.calibration.darkRefused);
    EXPECT_EQ(Physical(m_store.img.At(5, 5)), 600);
}

} // namespace
} // namespace lumvane
