#include "core/image/ImagePlane.h"

namespace lumvane {

ImagePlane::ImagePlane(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_cells(static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(height + 1), 0)
{
}

void ImagePlane::SetSaturated(int x, int y, bool saturated)
{
    if (m_saturated.empty()) {
        if (!saturated)
            return;
        m_saturated.assign((m_cells.size() + 63) / 64, 0);
    }
    const std::size_t index = Index(x, y);
    const std::uint64_t bit = std::uint64_t { 1 } << (index % 64);
    m_saturated[index / 64] = saturated ? m_saturated[index / 64] | bit : m_saturated[index / 64] & ~bit;
}

void ImagePlane::SetRowMissing(int y, bool missing)
{
    if (m_missingRows.empty()) {
        if (!missing)
            return;
        m_missingRows.assign(static_cast<std::size_t>(m_height) + 1, false);
    }
    m_missingRows[static_cast<std::size_t>(y)] = missing;
}

void ImagePlane::ClearMarks()
{
    m_saturated.clear();
    m_missingRows.clear();
}

} // namespace lumvane
