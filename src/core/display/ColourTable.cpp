#include "core/display/ColourTable.h"

#include "core/display/LevelPalette.h"
#include "core/image/ImagePlane.h"

#include <limits>

namespace lumvane {

ColourTable::ColourTable(DisplayCuts cuts, LevelScale scale, Palette palette)
    : m_colours(std::size_t { 1 } << 16)
{
    std::vector<std::uint32_t> packed;
    if (palette == Palette::Levels) {
        for (const Rgb& colour : kLevelPalette)
            packed.push_back(PackedColour(colour));
    } else {
        for (int grey = 0; grey < kGreyLevels; ++grey) {
            const auto level = static_cast<std::uint8_t>(grey);
            packed.push_back(PackedColour({ level, level, level }));
        }
    }
    const int levels = static_cast<int>(packed.size());
    for (int stored = std::numeric_limits<std::int16_t>::min(); stored <= std::numeric_limits<std::int16_t>::max();
         ++stored) {
        const int level = PixelLevel(stored + kPhysicalOffset, cuts, scale, levels);
        m_colours[static_cast<std::size_t>(stored + kZeroIndex)] = packed[static_cast<std::size_t>(level)];
    }
}

} // namespace lumvane
