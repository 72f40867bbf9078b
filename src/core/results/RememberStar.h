#pragma once

#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/StarSlots.h"
#include "core/results/ResultsTable.h"

#include <array>

namespace lumvane {

/// @brief What remembering a star records: its last centre and the results of
/// the last click per diaphragm.
struct StarRecord {
    float centreX = 0.0F; ///< image coordinates, pixels; 0 when no star was found
    float centreY = 0.0F;
    std::array<float, ResultsTable::kDiaphragms> net {}; ///< net counts per diaphragm
    std::array<float, ResultsTable::kDiaphragms> error {}; ///< magnitude error per diaphragm
    /// The numeric value of each diaphragm radius box (0 for an empty one).
    std::array<float, ResultsTable::kDiaphragms> radius {};
};

/// @brief Records a star under slot s for file n.
///
/// For k = 0..3 writes net(k) into (4 + 2s, 5(n - 1) + k + 1), error(k) into
/// (5 + 2s, 5(n - 1) + k + 1) and radius(k) into (3, n + k); the centre goes
/// into row 5n, the position row of file n + 1, where the next file of a
/// series looks for the star. Records nothing and returns false when X or Y of
/// the centre is 0 (the last measurement found no star), or when s is outside
/// 0..22 or n below 1.
bool RememberStar(ResultsTable& table, int slot, int fileNumber, const StarRecord& star);

/// @brief What remembering the last measured star records: its centre, the net
/// counts and errors of the last click per diaphragm, and the numeric value of
/// each radius box now (0 for an empty one), held in single precision.
StarRecord StarRecordOf(const LastStar& last, const std::array<double, kClickDiaphragms>& radii);

} // namespace lumvane
