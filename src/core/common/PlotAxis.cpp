#include "core/common/PlotAxis.h"

#include <cmath>

namespace lumvane {

PlotAxis NiceAxis(double minimum, double maximum, int maxTicks)
{
    maxTicks = std::max(maxTicks, 2);
    if (!(maximum > minimum)) {
        minimum -= 0.5;
        maximum += 0.5;
    }
    const double rough = (maximum - minimum) / (maxTicks - 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    PlotAxis axis;
    for (const double multiple : { 1.0, 2.0, 5.0, 10.0, 20.0 }) {
        axis.step = multiple * power;
        const double first = std::floor(minimum / axis.step);
        const double last = std::ceil(maximum / axis.step);
        if (last - first + 1.0 <= maxTicks || multiple == 20.0) {
            axis.low = first * axis.step;
            axis.high = last * axis.step;
            for (double i = first; i <= last; i += 1.0)
                axis.ticks.push_back(i * axis.step);
            break;
        }
    }
    return axis;
}

std::vector<double> TicksWithin(double low, double high, int maxTicks)
{
    const PlotAxis axis = NiceAxis(low, high, maxTicks);
    // A tick a rounding error outside the range is on its edge.
    const double slack = 1e-9 * axis.step;
    std::vector<double> ticks;
    for (const double tick : axis.ticks)
        if (tick >= low - slack && tick <= high + slack)
            ticks.push_back(tick);
    return ticks;
}

} // namespace lumvane
