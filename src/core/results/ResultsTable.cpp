#include "core/results/ResultsTable.h"

namespace lumvane {

float ResultsTable::Cell(int column, int row) const
{
    if (column < 0 || column >= kColumns || row < 0 || row >= Rows())
        return 0.0F;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ResultsTable::SetCell(int column, int row, float value)
{
    if (column < 0 || column >= kColumns || row < 0)
        return;
    if (row >= Rows())
        m_rows.resize(static_cast<std::size_t>(row) + 1, std::array<float, kColumns> {});
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = value;
}

MeasureStatus ResultsTable::Status(int slot, int fileNumber, int diaphragm) const
{
    const int row = ValueRow(fileNumber, diaphragm);
    if (slot < 0 || slot >= kStarSlots || fileNumber < 1 || row >= static_cast<int>(m_status.size()))
        return MeasureStatus::None;
    return m_status[static_cast<std::size_t>(row)][static_cast<std::size_t>(slot)];
}

void ResultsTable::SetStatus(int slot, int fileNumber, int diaphragm, MeasureStatus status)
{
    if (slot < 0 || slot >= kStarSlots || fileNumber < 1)
        return;
    const auto row = static_cast<std::size_t>(ValueRow(fileNumber, diaphragm));
    if (row >= m_status.size())
        m_status.resize(row + 1, std::array<MeasureStatus, kStarSlots> {});
    m_status[row][static_cast<std::size_t>(slot)] = status;
}

std::optional<FieldShift> ResultsTable::ShiftOf(int fileNumber) const
{
    if (fileNumber < 1 || fileNumber >= static_cast<int>(m_shifts.size()))
        return std::nullopt;
    return m_shifts[static_cast<std::size_t>(fileNumber)];
}

void ResultsTable::SetShift(int fileNumber, FieldShift shift)
{
    if (fileNumber < 1)
        return;
    if (fileNumber >= static_cast<int>(m_shifts.size()))
        m_shifts.resize(static_cast<std::size_t>(fileNumber) + 1);
    m_shifts[static_cast<std::size_t>(fileNumber)] = shift;
}

void ResultsTable::Clear()
{
    m_rows.clear();
    m_status.clear();
    m_shifts.clear();
}

std::array<float, ResultsTable::kDiaphragms> St1NetCounts(const ResultsTable& table, int fileNumber)
{
    std::array<float, ResultsTable::kDiaphragms> counts {};
    for (int k = 0; k < ResultsTable::kDiaphragms; ++k)
        counts[static_cast<std::size_t>(k)]
            = table.Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(fileNumber, k));
    return counts;
}

} // namespace lumvane
