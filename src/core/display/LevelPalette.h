#pragma once

#include <array>
#include <cstdint>

namespace lumvane {

/// A colour as red, green and blue, 0..255 each.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// Number of display levels: 0 is black (at or below the black cut), 15 white
/// (at or above the white cut).
constexpr int kLevelCount = 16;

/// @brief The colour of each display level 0..15.
constexpr std::array<Rgb, kLevelCount> kLevelPalette = { {
    { 0, 0, 0 },
    { 0, 0, 128 },
    { 0, 128, 0 },
    { 0, 128, 128 },
    { 128, 0, 0 },
    { 128, 0, 128 },
    { 128, 128, 0 },
    { 192, 192, 192 },
    { 128, 128, 128 },
    { 0, 0, 255 },
    { 0, 255, 0 },
    { 0, 255, 255 },
    { 255, 0, 0 },
    { 255, 0, 255 },
    { 255, 255, 0 },
    { 255, 255, 255 },
} };

/// @brief The colours a render maps counts to.
enum class Palette {
    Levels, ///< the sixteen levels of kLevelPalette
    Grey, ///< kGreyLevels greys from black to white
};

/// Grey levels of the grey palette: level L is the grey (L, L, L).
constexpr int kGreyLevels = 256;

/// @brief A colour packed as 0xAARRGGBB with an opaque alpha, the layout of
/// the pixels that RenderImage writes.
constexpr std::uint32_t PackedColour(Rgb colour)
{
    return 0xFF000000U | (std::uint32_t { colour.red } << 16) | (std::uint32_t { colour.green } << 8)
        | std::uint32_t { colour.blue };
}

/// The colour of a packed pixel.
constexpr Rgb UnpackedColour(std::uint32_t pixel)
{
    return { static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
        static_cast<std::uint8_t>(pixel) };
}

} // namespace lumvane
