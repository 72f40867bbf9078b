#include "core/results/RememberStar.h"

#include "core/common/Rounding.h"

#include <cmath>

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
        table.SetStatus(slot, fileNumber, k, star.status[index]);
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
    const bool found = last.centreX != 0.0F && last.centreY != 0.0F;
    record.centreX = found ? last.centreX : last.clickX;
    record.centreY = found ? last.centreY : last.clickY;
    record.net = last.net;
    record.error = last.error;
    record.status = last.status;
    for (std::size_t k = 0; k < radii.size(); ++k)
        record.radius[k] = ToSingle(radii[k]);
    return record;
}

std::optional<StarRecord> RememberLastStar(ResultsTable& table, int slot, int fileNumber, const LastStar& last,
    const std::array<double, kClickDiaphragms>& radii)
{
    const StarRecord record = StarRecordOf(last, radii);
    if (!RememberStar(table, slot, fileNumber, record))
        return std::nullopt;
    return record;
}

MeasureStatus RecordedStatus(const StarRecord& star)
{
    MeasureStatus worst = MeasureStatus::None;
    for (std::size_t k = 0; k < star.status.size(); ++k) {
        if (!(std::floor(star.radius[k]) > 0.0F))
            continue;
        if (star.status[k] == MeasureStatus::Unmeasured || star.status[k] == MeasureStatus::None)
            return MeasureStatus::Unmeasured;
        if (star.status[k] == MeasureStatus::Saturated || worst == MeasureStatus::None)
            worst = star.status[k];
    }
    return worst == MeasureStatus::None ? MeasureStatus::Unmeasured : worst;
}

} // namespace lumvane
