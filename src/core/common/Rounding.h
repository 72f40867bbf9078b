#pragma once

#include <cstdint>
#include <optional>

namespace lumvane {

/// @brief Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

/// @brief Int: the largest integer not above the value.
double Floor(double value);

/// @brief Fix: the integer part, towards zero.
double Truncate(double value);

/// @brief A double held as a single float: the nearest single, infinite
/// beyond the single range (no undefined conversion).
float ToSingle(double value);

/// @brief Int(1000 v) / 1000 in single precision: the value floored to three
/// decimals, as the magnitude and error fields and the results file show it.
float FlooredToThousandths(float value);

/// @brief The value rounded half-even when it fits in 16 bits, else nothing.
std::optional<std::int16_t> RoundToInt16(double value);

/// @brief The value rounded half-even when it fits in 32 bits, else nothing.
std::optional<std::int32_t> RoundToInt32(double value);

/// @brief Stores the value rounded half-even into a 16-bit field; a value
/// outside -32768..32767 leaves the field as it was.
void AssignRounded(std::int16_t& field, double value);

} // namespace lumvane
