#pragma once

#include <vector>

namespace lumvane {

/// @brief An axis with round tick marks: 1, 2 or 5 times a power of ten
/// apart, the range widened to whole steps around the values.
struct PlotAxis {
    double low = 0.0;
    double high = 1.0;
    double step = 1.0;
    std::vector<double> ticks; ///< low, low + step, ..., high
};

/// @brief The axis for values from `minimum` to `maximum` with at most
/// `maxTicks` tick marks (at least 2). Equal values are opened by half a unit
/// each way.
PlotAxis NiceAxis(double minimum, double maximum, int maxTicks);

/// @brief Round tick marks on an axis whose range is fixed: those of
/// NiceAxis(low, high, maxTicks) that lie from `low` to `high`.
std::vector<double> TicksWithin(double low, double high, int maxTicks);

} // namespace lumvane
