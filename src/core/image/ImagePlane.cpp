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

/// A block of `count` zeros that costs no memory until it is used.
template <typename T> std::unique_ptr<T[]> ZeroBlock(std::size_t count)
{
    std::unique_ptr<T[]> block(new T[count]);
    ZeroLazily(block.get(), count * sizeof(T));
    return block;
}

/// A copy of a block of `count` values; none of none.
template <typename T> std::unique_ptr<T[]> CopyOf(const std::unique_ptr<T[]>& block, std::size_t count)
{
    if (!block)
        return nullptr;
    std::unique_ptr<T[]> copy(new T[count]);
    std::copy_n(block.get(), count, copy.get());
    return copy;
}

} // namespace

ImagePlane::ImagePlane(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_cells(ZeroBlock<std::int16_t>(CellCount()))
{
}

ImagePlane::ImagePlane(const ImagePlane& other)
    : m_width(other.m_width)
    , m_height(other.m_height)
    , m_cells(CopyOf(other.m_cells, other.CellCount()))
    , m_saturated(CopyOf(other.m_saturated, other.SaturatedWords()))
    , m_missingRows(other.m_missingRows)
{
}

ImagePlane& ImagePlane::operator=(const ImagePlane& other)
{
    if (this != &other)
        *this = ImagePlane(other);
    return *this;
}

void ImagePlane::SetSaturated(int x, int y, bool saturated)
{
    if (!m_saturated) {
        if (!saturated)
            return;
        m_saturated = ZeroBlock<std::uint64_t>(SaturatedWords());
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
    m_saturated.reset();
    m_missingRows.clear();
}

} // namespace lumvane
