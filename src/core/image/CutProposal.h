#pragma once

#include "core/common/UniformRandom.h"
#include "core/image/ImagePlane.h"

namespace lumvane {

/// Black and white display cuts in physical counts.
struct DisplayCuts {
    int black = 0;
    int white = 0;

    friend bool operator==(const DisplayCuts&, const DisplayCuts&) = default;
};

/// The highest row (and column) the cut proposal samples.
inline constexpr int kCutSampleTop = 25;

/// @brief Proposes display cuts from 200 random pixels of x, y = 15..25.
///
/// mean = mean stored value + 32767; black = Int(0.95 mean), white =
/// Int(1.95 mean). Each draw takes r1 for y, then r2 for x. Coordinates are
/// clamped into the plane, so planes smaller than 25 x 25 are sampled inside.
DisplayCuts ProposeCuts(const ImagePlane& img, UniformRandom& random);

} // namespace lumvane
