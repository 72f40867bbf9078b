#include "core/photometry/StarWindow.h"

#include <algorithm>

namespace lumvane {

StarWindow::StarWindow(const ImagePlane& img, int centreX, int centreY, int reach)
    : m_left(std::max(1, centreX - reach))
    , m_right(std::min(img.Width(), centreX + reach))
    , m_bottom(std::max(1, centreY - reach))
    , m_top(std::min(img.Height(), centreY + reach))
{
    if (Empty())
        return;
    img.Prepare({ m_left, m_bottom, m_right, m_top });
    const auto width = static_cast<std::size_t>(m_right - m_left + 1);
    m_cells.resize(width * static_cast<std::size_t>(m_top - m_bottom + 1));
    for (int y = m_bottom; y <= m_top; ++y) {
        const std::int16_t* source = img.Row(y) + m_left;
        std::int32_t* cell = m_cells.data() + static_cast<std::size_t>(y - m_bottom) * width;
        for (std::size_t i = 0; i < width; ++i)
            cell[i] = source[i] + kPhysicalOffset;
    }
}

} // namespace lumvane
