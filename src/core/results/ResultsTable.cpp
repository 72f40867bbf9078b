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

std::array<float, ResultsTable::kDiaphragms> St1NetCounts(const ResultsTable& table, int fileNumber)
{
    std::array<float, ResultsTable::kDiaphragms> counts {};
    for (int k = 0; k < ResultsTable::kDiaphragms; ++k)
        counts[static_cast<std::size_t>(k)]
            = table.Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(fileNumber, k));
    return counts;
}

} // namespace lumvane
