#pragma once

#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/StarSlots.h"
#include "core/results/ResultsTable.h"

#include <array>
#include <optional>

namespace lumvane {

/// @brief What remembering a star records: where it is and the results of
/// the last click per diaphragm.
struct StarRecord {
    /// The star's centre, or where it was looked for when it was not found;
    /// image coordinates, pixels; 0 when there is no such place.
    float centreX = 0.0F;
    float centreY = 0.0F;
    std::array<float, ResultsTable::kDiaphragms> net {}; ///< net counts per diaphragm
    std::array<float, ResultsTable::kDiaphragms> error {}; ///< magnitude error per diaphragm
    /// The numeric value of each diaphragm radius box (0 for an empty one).
    std::array<float, ResultsTable::kDiaphragms> radius {};
    std::array<MeasureStatus, ResultsTable::kDiaphragms> status { MeasureStatus::Ok, MeasureStatus::Ok,
        MeasureStatus::Ok, MeasureStatus::Ok };
};

/// @brief Records a star under slot s for file n.
///
/// For k = 0..3 writes net(k) into (4 + 2s, 5(n - 1) + k + 1), error(k) into
/// (5 + 2s, 5(n - 1) + k + 1), status(k) beside them and radius(k) into
/// (3, n + k); the centre goes into row 5n, the position row of file n + 1,
/// where the next file of a series looks for the star. Records nothing and
/// returns false when X or Y of the centre is 0, or when s is outside 0..22 or
/// n below 1.
bool RememberStar(ResultsTable& table, int slot, int fileNumber, const StarRecord& star);

/// @brief What remembering the last measured star records: the net counts,
/// errors and statuses of the last click per diaphragm, the numeric value of
/// each radius box now (0 for an empty one), held in single precision, and its
/// centre; where the click found none, the point clicked, so that a star that
/// could not be measured is still followed from there.
StarRecord StarRecordOf(const LastStar& last, const std::array<double, kClickDiaphragms>& radii);

/// @brief A star button: RememberStar of StarRecordOf the last star under slot
/// s for file n. The record, when it was recorded.
std::optional<StarRecord> RememberLastStar(ResultsTable& table, int slot, int fileNumber, const LastStar& last,
    const std::array<double, kClickDiaphragms>& radii);

/// @brief What a record is worth over the diaphragms that hold a radius: the
/// worst of their statuses (Unmeasured, then Saturated, then Ok); Unmeasured
/// when none holds one.
MeasureStatus RecordedStatus(const StarRecord& star);

} // namespace lumvane
