#include "core/display/ColourTable.h"

#include "core/display/LevelPalette.h"
#include "core/image/ImagePlane.h"

#include <array>
#include <limits>

namespace lumvane {

ColourTable::ColourTable(DisplayCuts cuts, LevelScale scale)
    : m_colours(std::size_t { 1 } << 16)
{
    std::array<std::uint32_t, kLevelCount> packed {};
    for (int level = 0; level < kLevelCount; ++level)
        packed[static_cast<std::size_t>(level)] = PackedColour(kLevelPalette[static_cast<std::size_t>(level)]);
    for (int stored = std::numeric_limits<std::int16_t>::min(); stored <= std::numeric_limits<std::int16_t>::max();
         ++stored) {
        const int level = PixelLevel(stored + kPhysicalOffset, cuts, scale);
        m_colours[static_cast<std::size_t>(stored + kZeroIndex)] = packed[static_cast<std::size_t>(level)];
    }
}

} // namespace lumvane
