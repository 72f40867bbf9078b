#include "core/image/ImagePlane.h"

#include <algorithm>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

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

// The copy holds the values the plane stands for: its deferred work is done first.
ImagePlane::ImagePlane(const ImagePlane& other)
    : m_width((other.PrepareAll(), other.m_width))
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

void ImagePlane::Renew()
{
    m_saturated.reset();
    m_missingRows.clear();
    if (m_deferred) {
        for (std::size_t tile = 0; tile < m_deferred->owed.size(); ++tile)
            if (m_deferred->owed[tile])
                PoisonTile(
                    static_cast<int>(tile) % m_deferred->columns, static_cast<int>(tile) / m_deferred->columns, false);
        m_deferred.reset();
    }
}

void ImagePlane::Defer(TileWork work)
{
    PrepareAll();
    const int columns = (m_width + kTileSide - 1) / kTileSide;
    const int rows = (m_height + kTileSide - 1) / kTileSide;
    if (columns == 0 || rows == 0)
        return;
    m_deferred = std::make_unique<Deferred>();
    m_deferred->work = std::move(work);
    m_deferred->columns = columns;
    m_deferred->owedCount = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    m_deferred->owed.assign(m_deferred->owedCount, true);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            PoisonTile(i, j, true);
}

void ImagePlane::PrepareTiles(const CellRect& cells) const
{
    const int left = std::max(cells.left, 1);
    const int right = std::min(cells.right, m_width);
    const int bottom = std::max(cells.bottom, 1);
    const int top = std::min(cells.top, m_height);
    if (left > right || bottom > top)
        return;
    Deferred& deferred = *m_deferred;
    for (int j = (bottom - 1) / kTileSide; j <= (top - 1) / kTileSide; ++j)
        for (int i = (left - 1) / kTileSide; i <= (right - 1) / kTileSide; ++i) {
            const auto tile = static_cast<std::size_t>(j) * static_cast<std::size_t>(deferred.columns)
                + static_cast<std::size_t>(i);
            if (!deferred.owed[tile])
                continue;
            PoisonTile(i, j, false);
            const int tileRight = std::min(kTileSide * (i + 1), m_width);
            for (int y = kTileSide * j + 1; y <= std::min(kTileSide * (j + 1), m_height); ++y)
                deferred.work(m_cells.get() + Index(0, y), y, kTileSide * i + 1, tileRight);
            deferred.owed[tile] = false;
            --deferred.owedCount;
        }
    if (deferred.owedCount == 0)
        m_deferred.reset();
}

bool ImagePlane::Prepared(int x, int y) const
{
    if (!m_deferred || !Contains(x, y))
        return true;
    const int i = (x - 1) / kTileSide;
    const int j = (y - 1) / kTileSide;
    return !m_deferred->owed[static_cast<std::size_t>(j) * static_cast<std::size_t>(m_deferred->columns)
        + static_cast<std::size_t>(i)];
}

void ImagePlane::PoisonTile([[maybe_unused]] int i, [[maybe_unused]] int j, [[maybe_unused]] bool poison) const
{
#if defined(__SANITIZE_ADDRESS__)
    const int left = kTileSide * i + 1;
    const auto bytes
        = static_cast<std::size_t>(std::min(kTileSide * (i + 1), m_width) - left + 1) * sizeof(std::int16_t);
    for (int y = kTileSide * j + 1; y <= std::min(kTileSide * (j + 1), m_height); ++y) {
        const std::int16_t* cells = m_cells.get() + Index(left, y);
        if (poison)
            ASAN_POISON_MEMORY_REGION(cells, bytes);
        else
            ASAN_UNPOISON_MEMORY_REGION(cells, bytes);
    }
#endif
}

} // namespace lumvane
