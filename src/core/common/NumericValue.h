#pragma once

#include <optional>
#include <string_view>

namespace lumvane {

/// @brief The numeric value of a text: its leading number, 0 when there is none.
///
/// Leading blanks, tabs and line ends are skipped, and so are those inside the
/// number; then an optional sign, digits, one decimal point "." (whatever the
/// locale), more digits and an optional exponent (E or D, optional sign,
/// digits). Reading stops at the first other character. A number too large for
/// a double gives an infinite value, which every caller range-checks.
double NumericValue(std::string_view text);

/// @brief The numeric value of a box's text, or nothing when the box holds
/// nothing but blanks: a value that was not typed at all.
std::optional<double> TypedNumber(std::string_view text);

} // namespace lumvane
