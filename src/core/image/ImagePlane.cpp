#include "core/image/ImagePlane.h"

namespace lumvane {

ImagePlane::ImagePlane(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_cells(static_cast<std::size_t>(width + 1) * static_cast<std::size_t>(height + 1), 0)
{
}

} // namespace lumvane
