#pragma once

#include <span>

namespace lumvane {

/// @brief Where a profile goes in the plot area `pictprof`.
///
/// x is the point index, y the value growing upward. The coordinate system
/// puts a tenth of the range outside the data on every side; the frame runs
/// through the points 5 % outside the data.
struct ProfilePlotBounds {
    float maximum = 0.0f; ///< `profileMax`: the largest value, never below 0
    float minimum = 0.0f; ///< `profileMin`: the smallest value, never above 65000
    /// User coordinates of the plot area's corners.
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    /// The frame's four sides.
    double frameLeft = 0.0;
    double frameTop = 0.0;
    double frameRight = 0.0;
    double frameBottom = 0.0;
};

/// @brief The plot bounds of n = values.size() points (n >= 1).
///
/// With M the largest value (at least 0) and m the smallest (at most 65000),
/// the corners are (-0.1 n, 1.1 M - 0.1 m) and (1.1 n, 1.1 m - 0.1 M) and the
/// frame runs at x = -0.05 n and 1.05 n, y = 1.05 M - 0.05 m and 1.05 m - 0.05 M.
/// When M = m (every value the same) the vertical range is opened around that
/// value, a tenth of its size (at least 1) each way, so the profile is a flat
/// line across the middle of the plot area.
ProfilePlotBounds ProfilePlotScale(std::span<const float> values);

} // namespace lumvane
