#include "core/common/Rounding.h"

#include <cmath>
#include <limits>

namespace lumvane {

double RoundHalfEven(double value)
{
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

double Floor(double value)
{
    return std::floor(value);
}

double Truncate(double value)
{
    return std::trunc(value);
}

float ToSingle(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::infinity();
    if (value < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

float FlooredToThousandths(float value)
{
    return std::floor(value * 1000.0F) / 1000.0F;
}

namespace {

template <typename Int> std::optional<Int> RoundToInt(double value)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max()))
        return std::nullopt; // also NaN
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<std::int16_t> RoundToInt16(double value)
{
    return RoundToInt<std::int16_t>(value);
}

std::optional<std::int32_t> RoundToInt32(double value)
{
    return RoundToInt<std::int32_t>(value);
}

void AssignRounded(std::int16_t& field, double value)
{
    if (const auto rounded = RoundToInt16(value))
        field = *rounded;
}

} // namespace lumvane
