#pragma once

#include <cstdint>
#include <string>

namespace lumvane {

/// @brief The number text of the program's labels, boxes and files.
///
/// One blank in front of a value that is not negative, "-" in front of a negative
/// one; no digit before the point when the magnitude is below 1 (" .25");
/// trailing zeros dropped; integral values without a point (" 8"). Single
/// precision keeps 7 significant digits, double precision 15. Values whose
/// decimal exponent e lies outside -5 < e < 7 (single) or -5 < e < 15 (double)
/// are written in exponent form: " 1.234568E+07", " 1E-05".
std::string NumberText(float value);
std::string NumberText(double value);
std::string NumberText(std::int64_t value);
inline std::string NumberText(int value)
{
    return NumberText(static_cast<std::int64_t>(value));
}

/// @brief The number text without its leading blank (negative values keep "-").
std::string PlainNumberText(const std::string& numberText);

} // namespace lumvane
