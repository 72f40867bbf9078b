#pragma once

#include "core/common/ViewPoint.h"

#include <string>

namespace lumvane {

/// Star slots: 0 is the main standard St1, 1..18 further comparison stars,
/// 19..22 variables.
inline constexpr int kStarSlots = 23;
inline constexpr int kVar1Slot = 19;

/// What a slot holds; the views give each kind its label colour.
enum class StarKind {
    St1, ///< slot 0, the main standard
    Comparison, ///< slots 1..18
    Variable, ///< slots 19..22
};

/// @brief The kind of star slot s holds.
StarKind StarKindOf(int slot);

/// @brief The name printed beside a remembered star: "St1" for slot 0, "St 2"
/// .. "St 19" for slots 1..18 and "Var 1" .. "Var 4" for slots 19..22 (the
/// number text of a positive number starts with a blank).
std::string StarLabel(int slot);

/// @brief Where a star's label is printed: 10 columns left of its centre and
/// 22 rows above it, in image coordinates (rows counting upwards).
ViewPoint StarLabelPosition(float centreX, float centreY);

} // namespace lumvane
