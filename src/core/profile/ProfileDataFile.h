#pragma once

#include <span>
#include <string>

namespace lumvane {

/// @brief Int(10 v) / 10 in single precision: the value floored to tenths, as
/// the data file and the plot readout show it.
float FlooredToTenths(float value);

/// @brief The profile data file as text: for each point i = 1..n one line of
/// the number text of i padded with blanks to column 14, from column 15 the
/// number text of its value floored to tenths, one blank, then CR LF.
std::string ProfileDataText(std::span<const float> values);

} // namespace lumvane
