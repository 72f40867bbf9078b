#include "core/profile/ProfilePlot.h"

#include <algorithm>
#include <cmath>

namespace lumvane {

ProfilePlotBounds ProfilePlotScale(std::span<const float> values)
{
    ProfilePlotBounds bounds;
    bounds.maximum = 0.0f;
    bounds.minimum = 65000.0f;
    for (const float value : values) {
        bounds.maximum = std::max(bounds.maximum, value);
        bounds.minimum = std::min(bounds.minimum, value);
    }

    double high = bounds.maximum;
    double low = bounds.minimum;
    if (high == low) {
        const double opening = std::max(0.1 * std::fabs(high), 1.0);
        high += opening;
        low -= opening;
    }
    const double n = static_cast<double>(values.size());
    bounds.left = -0.1 * n;
    bounds.right = 1.1 * n;
    bounds.top = 1.1 * high - 0.1 * low;
    bounds.bottom = 1.1 * low - 0.1 * high;
    bounds.frameLeft = -0.05 * n;
    bounds.frameRight = 1.05 * n;
    bounds.frameTop = 1.05 * high - 0.05 * low;
    bounds.frameBottom = 1.05 * low - 0.05 * high;
    return bounds;
}

} // namespace lumvane
