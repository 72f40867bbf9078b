#pragma once

namespace lumvane {

/// A point in image units (x from the left, y from the bottom) or in view
/// pixels (x from the left, y from the top), as each function says.
struct ViewPoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

} // namespace lumvane
