#include "core/results/RememberStar.h"

#include "support/SyntheticSky.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <utility>

namespace lumvane {
namespace {

/// Every non-zero cell of the table by (column, row).
std::map<std::pair<int, int>, float> NonZeroCells(const ResultsTable& table)
{
    std::map<std::pair<int, int>, float> cells;
    for (int row = 0; row < table.Rows(); ++row)
        for (int column = 0; column < ResultsTable::kColumns; ++column)
            if (table.Cell(column, row) != 0.0F)
                cells[{ column, row }] = table.Cell(column, row);
    return cells;
}

StarRecord Record(float base)
{
    StarRecord star;
    star.centreX = base + 0.5F;
    star.centreY = base + 0.25F;
    for (std::size_t k = 0; k < 4; ++k) {
        star.net[k] = base * 100.0F + static_cast<float>(k);
        star.error[k] = base / 1000.0F + static_cast<float>(k) / 10.0F;
    }
    star.radius = { 8.0F, 0.0F, 5.0F, 12.5F };
    return star;
}

TEST(RememberStar, WritesTheSlotsCellsOfTheCurrentFile)
{
    // btnstar(5) while the file number is 1.
    ResultsTable table;
    const StarRecord star = Record(7.0F);
    ASSERT_TRUE(RememberStar(table, 5, 1, star));
    std::map<std::pair<int, int>, float> expected;
    for (int k = 0; k < 4; ++k) {
        expected[{ 14, 1 + k }] = star.net[static_cast<std::size_t>(k)];
        expected[{ 15, 1 + k }] = star.error[static_cast<std::size_t>(k)];
        if (star.radius[static_cast<std::size_t>(k)] != 0.0F)
            expected[{ 3, 1 + k }] = star.radius[static_cast<std::size_t>(k)];
    }
    expected[{ 14, 5 }] = 7.5F;
    expected[{ 15, 5 }] = 7.25F;
    EXPECT_EQ(NonZeroCells(table), expected);
}

TEST(RememberStar, EverySlotIncludingVar4HasItsOwnColumns)
{
    ResultsTable table;
    for (int slot = 0; slot < kStarSlots; ++slot)
        ASSERT_TRUE(RememberStar(table, slot, 3, Record(static_cast<float>(slot + 1))));
    for (int slot = 0; slot < kStarSlots; ++slot) {
        const StarRecord star = Record(static_cast<float>(slot + 1));
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(table.Cell(4 + 2 * slot, 10 + 1 + k), star.net[static_cast<std::size_t>(k)]) << slot;
            EXPECT_EQ(table.Cell(5 + 2 * slot, 10 + 1 + k), star.error[static_cast<std::size_t>(k)]) << slot;
        }
        EXPECT_EQ(table.Cell(4 + 2 * slot, 15), star.centreX) << slot;
        EXPECT_EQ(table.Cell(5 + 2 * slot, 15), star.centreY) << slot;
    }
    EXPECT_EQ(table.Cell(48, 15), Record(23.0F).centreX);
    EXPECT_EQ(table.Cell(49, 15), Record(23.0F).centreY);
}

TEST(RememberStar, RowsGrowWithTheFileNumber)
{
    ResultsTable table;
    ASSERT_TRUE(RememberStar(table, 0, 1, Record(1.0F)));
    ASSERT_TRUE(RememberStar(table, 0, 150, Record(2.0F)));
    EXPECT_EQ(table.Rows(), 751);
    EXPECT_EQ(table.Cell(4, ResultsTable::ValueRow(150, 0)), 200.0F);
    EXPECT_EQ(table.Cell(4, ResultsTable::PositionRow(151)), 2.5F);
    // File 1's group stays as it was.
    EXPECT_EQ(table.Cell(4, 1), 100.0F);
    EXPECT_EQ(table.Cell(4, 5), 1.5F);
    EXPECT_EQ(table.Cell(4, 5000), 0.0F);
}

TEST(RememberStar, RecordsNothingWithoutAStar)
{
    ResultsTable table;
    StarRecord noCentre = Record(3.0F);
    noCentre.centreY = 0.0F;
    EXPECT_FALSE(RememberStar(table, 0, 1, noCentre));
    noCentre.centreX = 0.0F;
    noCentre.centreY = 4.0F;
    EXPECT_FALSE(RememberStar(table, 0, 1, noCentre));
    EXPECT_FALSE(RememberStar(table, 23, 1, Record(3.0F)));
    EXPECT_FALSE(RememberStar(table, -1, 1, Record(3.0F)));
    EXPECT_FALSE(RememberStar(table, 0, 0, Record(3.0F)));
    EXPECT_EQ(table.Rows(), 0);
}

TEST(RecordedStatus, TheWorstOfTheDiaphragmsWithARadius)
{
    using enum MeasureStatus;
    const struct {
        std::array<MeasureStatus, 4> status;
        std::array<float, 4> radius;
        MeasureStatus recorded;
    } cases[] = {
        { { Ok, Ok, Unmeasured, Ok }, { 8, 5, 0, 0.5F }, Ok }, // 0.5 holds no radius
        { { Ok, Saturated, Unmeasured, Ok }, { 8, 5, 0, 0 }, Saturated },
        { { Saturated, Ok, Unmeasured, Ok }, { 8, 5, 10, 0 }, Unmeasured },
        { { Ok, Ok, Ok, Ok }, { 0, 0, 0, 0 }, Unmeasured },
    };
    for (const auto& c : cases) {
        StarRecord star;
        star.status = c.status;
        star.radius = c.radius;
        EXPECT_EQ(RecordedStatus(star), c.recorded);
    }
}

TEST(ResultsTable, CellsOutsideTheColumnsAreNeitherWrittenNorRead)
{
    ResultsTable table;
    table.SetCell(50, 1, 5.0F);
    table.SetCell(-1, 1, 5.0F);
    table.SetCell(1, -1, 5.0F);
    EXPECT_EQ(table.Rows(), 0);
    table.SetCell(49, 2, 5.0F);
    EXPECT_EQ(table.Cell(49, 2), 5.0F);
    EXPECT_EQ(table.Cell(50, 2), 0.0F);
    table.SetStatus(22, 1, 3, MeasureStatus::Saturated);
    table.SetShift(2, { 1, 2 });
    EXPECT_EQ(std::pair(table.ShiftOf(2).has_value(), table.ShiftOf(3).has_value()), std::pair(true, false));
    EXPECT_EQ(table.Status(22, 1, 3), MeasureStatus::Saturated);
    table.Clear();
    EXPECT_EQ(table.Cell(49, 2), 0.0F);
    EXPECT_EQ(table.Status(22, 1, 3), MeasureStatus::None);
    EXPECT_FALSE(table.ShiftOf(2).has_value());
}

TEST(St1NetCounts, ReadSt1sColumnOfTheFilesValueRows)
{
    ResultsTable table;
    StarRecord st1 { 30, 40, { 10000, 20000, 0, 40000 }, {}, {} };
    ASSERT_TRUE(RememberStar(table, 0, 2, st1));
    ASSERT_TRUE(RememberStar(table, 1, 2, StarRecord { 30, 40, { 1, 2, 3, 4 }, {}, {} }));
    EXPECT_EQ(St1NetCounts(table, 2), st1.net);
    EXPECT_EQ(St1NetCounts(table, 1), (std::array<float, 4> {})); // not remembered on file 1
    EXPECT_EQ(St1NetCounts(table, 0), (std::array<float, 4> {})); // no file read yet
}

TEST(StarRecordOf, TheLastStarWithTheRadiiTypedAndWhereItWasClickedWhenNotFound)
{
    LastStar last { 31.5F, 42.25F, 30, 40, { 100, 200, 300, 400 }, { 0.1F, 0.2F, 0.3F, 0.4F },
        { MeasureStatus::Ok, MeasureStatus::Saturated, MeasureStatus::Unmeasured, MeasureStatus::Ok } };
    StarRecord record = StarRecordOf(last, { 8, 0, 5, 12.5 });
    EXPECT_EQ(std::tuple(record.centreX, record.centreY, record.net, record.error, record.status),
        std::tuple(last.centreX, last.centreY, last.net, last.error, last.status));
    EXPECT_EQ(record.radius, (std::array<float, 4> { 8, 0, 5, 12.5F })); // as typed, not floored
    last.centreX = last.centreY = 0.0F;
    record = StarRecordOf(last, { 8, 0, 5, 12.5 });
    EXPECT_EQ(std::pair(record.centreX, record.centreY), std::pair(30.0F, 40.0F));
}

} // namespace
} // namespace lumvane
