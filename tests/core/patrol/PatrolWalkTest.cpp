#include "core/patrol/PatrolWalk.h"

#include "core/patrol/SeriesNaming.h"
#include "core/results/RememberStar.h"
#include "support/FitsWriter.h"
#include "support/SyntheticSky.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <tuple>

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

/// Writes a plane as a frame of 30 seconds with BZERO 32768; cut short inside
/// row `missingFrom` when it is above 0, so that it and the rows below it are
/// not in the file.
void WritePlane(const std::string& fileName, const ImagePlane& img, int missingFrom = 0)
{
    std::string bytes = test::PlaneFileBytes(img, { test::ValueCard("EXPTIME", "30") });
    if (missingFrom > 0)
        bytes.resize(2880 + 2 * static_cast<std::size_t>(img.Width() * (img.Height() - missingFrom)) + 7);
    test::WriteFileBytes(fileName, bytes);
}

/// One frame of the sparse field, shifted by (dx, dy), with St1's flux scaled
/// by `st1Scale`: a sky of 1000 counts and Gaussian stars (sigma 1.5 pixels).
void WriteFrame(const std::string& fileName, double dx, double dy, double st1Scale = 1.0)
{
    ImagePlane img = test::UniformImage(kWidth, kHeight, 1000);
    for (const FieldStar& star : kField)
        test::AddStar(img, star.x + dx, star.y + dy, star.flux * (star.slot == 0 ? st1Scale : 1.0), 1.5);
    WritePlane(fileName, img);
}

struct Recorder : PatrolObserver {
    std::vector<PatrolMeasurement> measured;

    void Measured(const PatrolMeasurement& measurement) override { measured.push_back(measurement); }
};

/// A series in a temporary folder, with the session parts a walk needs.
class PatrolWalkTest : public ::testing::Test {
protected:
    std::string Frame(int n) const { return *SeriesFileName(m_dir.File("m31"), n); }

    /// Reads file 1 and remembers the field's stars on it, as a user does
    /// before pressing Continue.
    void StartOnFirstFile(int number = 1, std::span<const FieldStar> stars = kField)
    {
        StartPatrolSeries(m_store, m_table);
        ASSERT_EQ(ReadFitsImage(m_store, Frame(number), PlaneId::Img, m_random).status, FitsReadStatus::Read);
        ClickSettings click = m_settings.click;
        click.searchRadius = CentreSearchRadius(m_settings.search);
        for (const FieldStar& star : stars) {
            if (star.slot < 0)
                continue;
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
    // Three stars can't tell the field's shift: St1 is looked for where it
    // was, and a fifth of its counts decides.
    const FieldOnFile sparse;
    ASSERT_FALSE(FindStandards(Data(), m_settings, sparse, m_recorder).st1Lost);
    EXPECT_EQ(m_recorder.measured.front().x, Found(0, 1).first);
    const float net = m_table.Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(2, 0));
    ASSERT_GT(net, 150'000.0F);

    const int previousRow = ResultsTable::ValueRow(1, 0);
    for (const auto& [previous, lost] : { std::pair { 4.99F * net, false }, std::pair { 5.01F * net, true } }) {
        m_table = remembered;
        m_table.SetCell(ResultsTable::NetColumn(0), previousRow, previous);
        const StandardsResult result = FindStandards(Data(), m_settings, sparse, m_recorder);
        EXPECT_EQ(result.st1Lost, lost) << previous / net;
        // Lost, no star is measured or remembered on the file.
        EXPECT_EQ(m_table.Cell(ResultsTable::NetColumn(5), ResultsTable::ValueRow(2, 0)) != 0.0F, !lost);
    }

    // File 1 has no previous file: St1 is never lost there, even on empty sky.
    m_table = remembered;
    m_store.files.SetCurrentFile(1);
    m_table.SetCell(ResultsTable::NetColumn(0), ResultsTable::PositionRow(1), 10.0F);
    m_table.SetCell(ResultsTable::ErrorColumn(0), ResultsTable::PositionRow(1), 10.0F);
    EXPECT_FALSE(FindStandards(Data(), m_settings, sparse, m_recorder).st1Lost);
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
    EXPECT_EQ(step.standards.shift, (FieldShift { st1X - Found(0, 1).first, st1Y - Found(0, 1).second }));
    EXPECT_EQ(step.standards.remembered, 3);
    EXPECT_FALSE(walk.WaitingForSt1());

    // St1 is bright again on file 3: far above a fifth of its faint counts.
    EXPECT_EQ(Step(walk).step, PatrolStep::FileDone);
    EXPECT_EQ(Step(walk).step, PatrolStep::EndOfSeries);
    EXPECT_EQ(m_store.files.CurrentFile(), 3);
}

/// The stars the crowded night follows, and St1's neighbour (no slot).
constexpr FieldStar kCrowded[] = {
    { 0, 200.3, 150.6, 150'000.0 }, // St1
    { -1, 214.3, 165.3, 100'000.0 }, // 20.3 pixels from St1: within its search, beyond the others'
    { 1, 120.2, 80.7, 3'000'000.0 }, // St2, saturated
    { 21, 300.5, 220.4, 60'000.0 }, // Var3
    { 22, 90.7, 230.2, 40'000.0 }, // Var4
};

/// The crowded night: 150 stars of a sky four times the frame's area at places
/// drawn from kNight, and kCrowded, seen through a 400 x 300 frame moved by
/// (dx, dy) from the first file's, St1 scaled by `st1Scale`. Another seed
/// draws another field.
constexpr std::uint32_t kNight = 7;
ImagePlane CrowdedFrame(double dx, double dy, double st1Scale, std::uint32_t seed)
{
    const bool night = seed == kNight;
    ImagePlane img = test::UniformImage(400, 300, 1000);
    const auto next = [&seed](double low, double high) {
        seed = seed * 1664525U + 1013904223U;
        return low + (seed >> 8) % 100000 / 100000.0 * (high - low);
    };
    for (int s = 0; s < 150; ++s) {
        const double x = next(-200, 600);
        const double y = next(-150, 450);
        const double flux = next(5'000, 80'000);
        // None too near the table's stars, to keep their photometry clean.
        if (std::none_of(std::begin(kCrowded), std::end(kCrowded),
                [&](const FieldStar& star) { return std::hypot(star.x - x, star.y - y) < 30.0; }))
            test::AddStar(img, x + dx, y + dy, flux, 1.5);
    }
    for (const FieldStar& star : kCrowded)
        if (night)
            test::AddStar(img, star.x + dx, star.y + dy, star.flux * (star.slot == 0 ? st1Scale : 1.0), 1.5);
    return img;
}

TEST_F(PatrolWalkTest, FollowsACrowdedFieldThatJumpsAndMarksWhatItCanNotMeasure)
{
    using enum MeasureStatus;
    const struct {
        double dx, dy; ///< the field's place against file 1's, pixels
        double st1Scale;
        int missingFrom; ///< rows from here down not in the file
        std::uint32_t seed; ///< of the field stars: another one is another field
        PatrolStep step;
        MeasureStatus st1, st2, var3;
    } files[] = {
        { 0, 0, 1, 0, kNight, PatrolStep::FileDone, Ok, Saturated, Ok },
        { 40, -30, 1, 0, kNight, PatrolStep::FileDone, Ok, Saturated, Ok },
        // St1 faint: its search finds the neighbour, whose centre is not taken.
        { -5, -5, 0.03, 0, kNight, PatrolStep::FileDone, Ok, Saturated, Ok },
        // A file cut short under St1: what lies there is not measured.
        { 35, 25, 1, 190, kNight, PatrolStep::FileDone, Unmeasured, Unmeasured, Ok },
        // Cut too short to place the field: no star is measured, each stays.
        { 20, 10, 1, 285, kNight, PatrolStep::FileDone, Unmeasured, Unmeasured, Unmeasured },
        { -10, -35, 1, 0, kNight, PatrolStep::FileDone, Ok, Saturated, Ok },
        { 0, 0, 1, 0, 99, PatrolStep::St1Lost, None, None, None }, // another field
    };
    // A series started at .010 goes on with .011.
    for (std::size_t f = 0; f < std::size(files); ++f)
        WritePlane(Frame(10 + static_cast<int>(f)),
            CrowdedFrame(files[f].dx, files[f].dy, files[f].st1Scale, files[f].seed), files[f].missingFrom);
    m_settings.search = 6; // St1 searched within 13 pixels, the others within 6
    m_settings.click.radii = { 5, 0, 0, 0 };
    StartOnFirstFile(10, kCrowded);
    PatrolWalk walk(Frame(10), SeriesCalibration());
    int placed = 1; // the last file whose field was placed
    for (int n = 2; n <= static_cast<int>(std::size(files)); ++n) {
        const auto& file = files[n - 1];
        SCOPED_TRACE(n);
        m_recorder.measured.clear();
        const PatrolStepResult step = Step(walk);
        ASSERT_EQ(step.step, file.step);
        EXPECT_EQ(step.fileName, Frame(n + 9));
        EXPECT_EQ(m_table.Status(0, n, 0), file.st1);
        EXPECT_EQ(m_table.Status(1, n, 0), file.st2);
        EXPECT_EQ(m_table.Status(21, n, 0), file.var3);
        EXPECT_EQ(m_table.Status(22, n, 0), file.var3);
        if (file.step == PatrolStep::St1Lost)
            continue;
        const bool unplaced = file.var3 == Unmeasured;
        EXPECT_EQ(step.standards.unmeasured,
            (unplaced                ? std::vector<int> { 0, 1, 21, 22 }
                    : file.st1 == Ok ? std::vector<int> {}
                                     : std::vector<int> { 0, 1 }));
        // St1 twice, then every star remembered (none of the other slots) in
        // slot order.
        std::vector<std::tuple<PatrolMeasurementKind, int, int>> measured;
        for (const PatrolMeasurement& m : m_recorder.measured)
            measured.emplace_back(m.kind, m.slot, m.searchRadius);
        using enum PatrolMeasurementKind;
        const decltype(measured) walked = { { St1AtExpectedPlace, 0, 13 }, { St1AtFoundCentre, 0, 13 }, { Star, 0, 6 },
            { Star, 1, 6 }, { Star, 21, 6 }, { Star, 22, 6 } };
        EXPECT_EQ(measured, unplaced ? decltype(measured) {} : walked);
        if (unplaced)
            continue;
        // The shift since the file the stars were last placed on, St1's own or the field's.
        EXPECT_NEAR(step.standards.shift.x, file.dx - files[placed - 1].dx, 1.0);
        EXPECT_NEAR(step.standards.shift.y, file.dy - files[placed - 1].dy, 1.0);
        placed = n;
        // St1's diaphragm is measured around the pixel that holds its centre.
        const auto [x, y] = Found(0, n);
        if (file.st1 == Ok) {
            EXPECT_NEAR(std::floor(x), kCrowded[0].x + file.dx, 1.0);
            EXPECT_NEAR(std::floor(y), kCrowded[0].y + file.dy, 1.0);
        }
    }
}

} // namespace
} // namespace lumvane
