#include "core/image/ImagePlane.h"

#include <algorithm>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

namespace lumvane {
namespace {

/// Zeros a block without bringing its pages into memory: the whole pages
/// inside it are handed back to the system, which gives them back as zeros
/// when they are first used; only the parts of a page at its ends are written.
void ZeroLazily(void* block, std::size_t bytes)
{
    const auto begin = reinterpret_cast<std::uintptr_t>(block);
    const auto end = begin + bytes;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t firstPage = (begin + page - 1) / page * page;
    const std::uintptr_t lastPage = end / page * page;
    if (firstPage >= lastPage
        || ::madvise(reinterpret_cast<void*>(firstPage), lastPage - firstPage, MADV_DONTNEED) != 0) {
        std::memset(block, 0, bytes);
        return;
    }
    std::memset(block, 0, firstPage - begin);
    std::memset(reinterpret_cast<void*>(lastPage), 0, end - lastPage);
}

} // namespace

ImagePlane::ImagePlane(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_cells(new std::int16_t[CellCount()])
{
    ZeroLazily(m_cells.get(), CellCount() * sizeof(std::int16_t));
}

ImagePlane::ImagePlane(const ImagePlane& other)
    : m_width(other.m_width)
    , m_height(other.m_height)
    , m_cells(other.m_cells ? new std::int16_t[other.CellCount()] : nullptr)
{
    if (m_cells)
        std::copy_n(other.m_cells.get(), CellCount(), m_cells.get());
}

ImagePlane& ImagePlane::operator=(const ImagePlane& other)
{
    if (this != &other)
        *this = ImagePlane(other);
    return *this;
}

} // namespace lumvane
