#pragma once

#include "core/display/LevelPalette.h"
#include "core/display/LevelRule.h"

#include <cstdint>
#include <vector>

namespace lumvane {

/// @brief The colour of every stored pixel value for one render.
///
/// 65,536 packed colours (0xAARRGGBB, see PackedColour), one for each stored
/// value -32768..32767: the palette colour of the level of its physical count,
/// among the sixteen levels of the design's palette or the grey palette's own.
/// Built once per render, so the pixel loop only looks colours up.
class ColourTable {
public:
    ColourTable(DisplayCuts cuts, LevelScale scale, Palette palette = Palette::Levels);

    std::uint32_t Colour(std::int16_t stored) const { return m_colours[Index(stored)]; }
    /// A pointer that a stored value indexes directly: Lookup()[stored].
    const std::uint32_t* Lookup() const { return m_colours.data() + kZeroIndex; }

private:
    static constexpr int kZeroIndex = 32768;
    static std::size_t Index(std::int16_t stored) { return static_cast<std::size_t>(stored + kZeroIndex); }

    std::vector<std::uint32_t> m_colours;
};

} // namespace lumvane
