#pragma once

// Images for the display benchmarks, written at run time as 16-bit FITS files
// (BZERO 32768) into the temporary folder.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace lumvane::bench {

/// A night-sky frame: sky of 1000 counts with noise of +-64, and 300 stars
/// (Gaussian, sigma 2 pixels, peaks up to 40000) at fixed pseudo-random places.
class SkyImage {
public:
    explicit SkyImage(int side)
        : m_side(side)
        , m_counts(static_cast<std::size_t>(side) * static_cast<std::size_t>(side))
    {
        std::uint32_t state = 2024;
        auto next = [&state] {
            state = state * 1664525U + 1013904223U;
            return state >> 8;
        };
        for (auto& count : m_counts)
            count = 1000.0F + static_cast<float>(next() % 129) - 64.0F;
        for (int star = 0; star < 300; ++star) {
            const int cx = static_cast<int>(next() % static_cast<std::uint32_t>(side));
            const int cy = static_cast<int>(next() % static_cast<std::uint32_t>(side));
            const float peak = 500.0F + static_cast<float>(next() % 39500);
            for (int dy = -8; dy <= 8; ++dy) {
                for (int dx = -8; dx <= 8; ++dx) {
                    const int x = cx + dx;
                    const int y = cy + dy;
                    if (x < 0 || y < 0 || x >= side || y >= side)
                        continue;
                    m_counts[static_cast<std::size_t>(y) * static_cast<std::size_t>(side) + static_cast<std::size_t>(x)]
                        += peak * std::exp(-static_cast<float>(dx * dx + dy * dy) / 8.0F);
                }
            }
        }
    }

    /// Physical count at image point (x, y), 1-based.
    int operator()(int x, int y) const
    {
        const float count = m_counts[static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(m_side)
            + static_cast<std::size_t>(x - 1)];
        return count > 65535.0F ? 65535 : static_cast<int>(count);
    }

private:
    int m_side;
    std::vector<float> m_counts;
};

/// Writes a width x height image of physical counts physical(x, y) and
/// returns its name.
template <typename Physical>
std::string WriteBenchImage(const std::string& name, int width, int height, const Physical& physical)
{
    std::string size = std::to_string(width);
    if (width != height)
        size.append("x").append(std::to_string(height));
    const auto path = std::filesystem::temp_directory_path() / (name + "-" + size + ".fts");
    std::string header;
    auto card = [&header](std::string text) {
        text.resize(80, ' ');
        header += text;
    };
    card("SIMPLE  =                    T");
    card("BITPIX  =                   16");
    card("NAXIS   =                    2");
    card("NAXIS1  = " + std::to_string(width));
    card("NAXIS2  = " + std::to_string(height));
    card("BZERO   =                32768");
    card("BSCALE  =                    1");
    card("EXPTIME =                   30");
    card("END");
    header.resize(2880, ' ');
    std::string data;
    data.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 2 + 2880);
    for (int y = height; y >= 1; --y) { // the first row is the top, y = height
        for (int x = 1; x <= width; ++x) {
            const auto raw = static_cast<std::uint16_t>(physical(x, y) - 32768);
            data.push_back(static_cast<char>(raw >> 8));
            data.push_back(static_cast<char>(raw & 0xFF));
        }
    }
    data.resize((data.size() + 2879) / 2880 * 2880, '\0');
    std::ofstream(path, std::ios::binary | std::ios::trunc) << header << data;
    return path.string();
}

/// A side x side image: see above.
template <typename Physical> std::string WriteBenchImage(const std::string& name, int side, const Physical& physical)
{
    return WriteBenchImage(name, side, side, physical);
}

} // namespace lumvane::bench
