#include "core/display/LevelRule.h"

#include "core/common/NumericValue.h"
#include "core/common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lumvane {

namespace {

int CutValue(double value, int whenZero)
{
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    const double whole = Floor(value);
    if (std::isnan(whole) || whole == 0.0)
        return whenZero;
    return static_cast<int>(std::clamp(whole, lowest, highest));
}

} // namespace

DisplayCuts RenderCuts(double blackValue, double whiteValue)
{
    return { CutValue(blackValue, kDefaultBlackCut), CutValue(whiteValue, kDefaultWhiteCut) };
}

DisplayCuts RenderCutsFromTexts(std::string_view blackText, std::string_view whiteText)
{
    return RenderCuts(NumericValue(blackText), NumericValue(whiteText));
}

int PixelLevel(int physical, DisplayCuts cuts, LevelScale scale, int levels)
{
    const std::int64_t lo = cuts.black;
    const std::int64_t hi = cuts.white;
    const std::int64_t top = levels - 1;
    std::int64_t level = 0;
    if (scale == LevelScale::Linear) {
        if (hi == lo)
            return 0;
        // 64 bits: (n - 1) x (p - lo) and hi - lo overflow 32 bits for cuts far apart.
        level = (top * (physical - lo)) / (hi - lo);
    } else {
        if (physical <= 0 || lo <= 0 || hi <= 0 || hi == lo)
            return 0;
        const double ratio = std::log(static_cast<double>(physical) / static_cast<double>(lo))
            / std::log(static_cast<double>(hi) / static_cast<double>(lo));
        // Ratio first, so that p = hi gives exactly the top level.
        level = static_cast<std::int64_t>(std::floor(static_cast<double>(top) * ratio));
    }
    return static_cast<int>(std::clamp<std::int64_t>(level, 0, top));
}

} // namespace lumvane
