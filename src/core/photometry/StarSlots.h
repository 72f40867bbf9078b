#pragma once

#include "core/display/LevelPalette.h"
#include "core/display/ViewCoordinates.h"
#include "core/patrol/RememberStar.h"
#include "core/photometry/ClickPhotometry.h"

#include <array>
#include <string>

namespace lumvane {

/// @brief The name printed beside a remembered star: "St1" for slot 0, "St 2"
/// .. "St 19" for slots 1..18 and "Var 1" .. "Var 4" for slots 19..22 (the
/// number text of a positive number starts with a blank).
std::string StarLabel(int slot);

/// @brief The colour of a slot's label: yellow for St1, cyan for the
/// comparison stars, magenta for the variables.
Rgb StarLabelColour(int slot);

/// @brief Where a star's label is printed: 10 columns left of its centre and
/// 22 rows above it, in image coordinates (rows counting upwards).
ViewPoint StarLabelPosition(float centreX, float centreY);

/// @brief What remembering the last measured star records: its centre, the net
/// counts and errors of the last click per diaphragm, and the numeric value of
/// each radius box as typed now (0 for an empty one).
StarRecord StarRecordOf(const LastStar& last, const std::array<std::string, kClickDiaphragms>& radiusTexts);

} // namespace lumvane
