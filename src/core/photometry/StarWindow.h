#pragma once

#include "core/image/ImagePlane.h"

#include <cstdint>
#include <vector>

namespace lumvane {

/// @brief A copy of the physical counts around a clicked pixel, for the many
/// sums of one peak search.
///
/// The window covers the square of half side `reach` around the centre pixel,
/// cut to the image: cells are addressed in image coordinates (x from the left,
/// y from the bottom, pixel (1, 1) the bottom-left one). Pixels of the square
/// that lie outside the image are not stored; they count 0, exactly as reading
/// the image itself would. Reads stay within Left()..Right() x Bottom()..Top().
class StarWindow {
public:
    StarWindow() = default;
    StarWindow(const ImagePlane& img, int centreX, int centreY, int reach);

    bool Empty() const { return m_left > m_right || m_bottom > m_top; }
    int Left() const { return m_left; }
    int Right() const { return m_right; }
    int Bottom() const { return m_bottom; }
    int Top() const { return m_top; }

    /// Row y from column Left(): physical counts.
    const std::int32_t* Row(int y) const
    {
        return m_cells.data() + static_cast<std::size_t>(y - m_bottom) * static_cast<std::size_t>(m_right - m_left + 1);
    }

private:
    int m_left = 1;
    int m_right = 0;
    int m_bottom = 1;
    int m_top = 0;
    std::vector<std::int32_t> m_cells;
};

} // namespace lumvane
