#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumvane {

/// Stored pixel values stand for physical counts p = v + 32767: -32767 is a
/// physical 0, 32767 a physical 65534.
constexpr int kPhysicalOffset = 32767;
constexpr int kStoredMin = -32767;
constexpr int kStoredMax = 32767;

inline int Physical(std::int16_t stored)
{
    return stored + kPhysicalOffset;
}

/// @brief One 16-bit pixel plane (IMG, DS or FF) of the image store.
///
/// Cells (x, y) run over x = 0..W and y = 0..H; pixel data proper occupy
/// x = 1..W, y = 1..H, with x growing to the right and y growing upwards (the
/// first row of a FITS file is y = H). Cells with x = 0 or y = 0 exist and stay
/// 0. Cell (x, y) is element x + (W + 1) * y of one contiguous block.
class ImagePlane {
public:
    ImagePlane() = default;
    /// A plane of W x H pixels, every cell 0. Throws std::bad_alloc when the
    /// memory can't be had. The zeros cost no memory until a row is written
    /// or read: a plane that a file fills only in part takes what it holds.
    ImagePlane(int width, int height);
    ImagePlane(const ImagePlane& other);
    ImagePlane& operator=(const ImagePlane& other);
    ImagePlane(ImagePlane&&) noexcept = default;
    ImagePlane& operator=(ImagePlane&&) noexcept = default;
    ~ImagePlane() = default;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    /// True before the first read: the plane has no cells at all.
    bool HasCells() const { return m_cells != nullptr; }
    bool Contains(int x, int y) const { return x >= 1 && x <= m_width && y >= 1 && y <= m_height; }

    std::int16_t At(int x, int y) const { return m_cells[Index(x, y)]; }
    std::int16_t& At(int x, int y) { return m_cells[Index(x, y)]; }

    /// Row y as an array indexed by x = 0..W.
    const std::int16_t* Row(int y) const { return m_cells.get() + Index(0, y); }
    std::int16_t* Row(int y) { return m_cells.get() + Index(0, y); }

    // Marks of the pixels as their file gave them, which calibration keeps:
    // the reader sets them, flips move them with the pixels. Without a mark
    // of a kind no memory is taken for it, and the saturated marks, like the
    // cells, cost memory only where they are set.

    /// The pixel held the top of the range as read: physical 65534 or above.
    bool Saturated(int x, int y) const
    {
        return m_saturated && (m_saturated[Index(x, y) / 64] >> (Index(x, y) % 64) & 1U) != 0;
    }
    void SetSaturated(int x, int y, bool saturated);
    bool AnySaturated() const { return m_saturated != nullptr; }
    /// Row y was not in the file (a file that ends inside its data).
    bool RowMissing(int y) const { return !m_missingRows.empty() && m_missingRows[static_cast<std::size_t>(y)]; }
    void SetRowMissing(int y, bool missing);
    bool AnyRowMissing() const { return !m_missingRows.empty(); }
    /// No pixel saturated, no row missing.
    void ClearMarks();

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(x) + static_cast<std::size_t>(m_width + 1) * static_cast<std::size_t>(y);
    }

    std::size_t CellCount() const { return Index(0, m_height + 1); }
    std::size_t SaturatedWords() const { return (CellCount() + 63) / 64; }

    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<std::int16_t[]> m_cells;
    std::unique_ptr<std::uint64_t[]> m_saturated; ///< a bit per cell, or none
    std::vector<bool> m_missingRows; ///< per row 0..H, or empty
};

} // namespace lumvane
