#pragma once

#include <cstdint>
#include <vector>

namespace lumvane {

/// @brief A picture of packed pixels (0xAARRGGBB, see PackedColour), rows
/// from the top.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; ///< row r, column c at r * width + c
};

} // namespace lumvane
