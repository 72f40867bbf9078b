#include "core/results/RememberStar.h"

#include "core/common/Rounding.h"

namespace lumvane {

bool RememberStar(ResultsTable& table, int slot, int fileNumber, const StarRecord& star)
{
    if (star.centreX == 0.0F || star.centreY == 0.0F || slot < 0 || slot >= kStarSlots || fileNumber < 1)
        return false;
    for (int k = 0; k < ResultsTable::kDiaphragms; ++k) {
        const int row = ResultsTable::ValueRow(fileNumber, k);
        const auto index = static_cast<std::size_t>(k);
        table.SetCell(ResultsTable::NetColumn(slot), row, star.net[index]);
        table.SetCell(ResultsTable::ErrorColumn(slot), row, star.error[index]);
        table.SetCell(ResultsTable::kRadiusColumn, fileNumber + k, star.radius[index]);
    }
    // The position row keeps X in the slot's net-counts column and Y in its error column.
    const int positionRow = ResultsTable::PositionRow(fileNumber + 1);
    table.SetCell(ResultsTable::NetColumn(slot), positionRow, star.centreX);
    table.SetCell(ResultsTable::ErrorColumn(slot), positionRow, star.centreY);
    return true;
}

StarRecord StarRecordOf(const LastStar& last, const std::array<double, kClickDiaphragms>& radii)
{
    StarRecord record;
    record.centreX = last.centreX;
    record.centreY = last.centreY;
    record.net = last.net;
    record.error = last.error;
    for (std::size_t k = 0; k < radii.size(); ++k)
        record.radius[k] = ToSingle(radii[k]);
    return record;
}

} // namespace lumvane
