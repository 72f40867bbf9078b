#pragma once

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
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

/// Cells x = left..right, y = bottom..top of a plane.
struct CellRect {
    int left = 1;
    int bottom = 1;
    int right = 0;
    int top = 0;
};

/// The square of half side `reach` around cell (x, y).
inline CellRect CellsAround(int x, int y, int reach)
{
    return { x - reach, y - reach, x + reach, y + reach };
}

/// The cells whose squares meet the rectangle of points (x0, y0) .. (x1, y1)
/// widened by `reach`, however far or undefined the points are.
inline CellRect CellsSpanned(double x0, double y0, double x1, double y1, double reach)
{
    const auto cell = [](double v) { return v > -2.0 ? static_cast<int>(std::min(std::floor(v), 1e9)) : -2; };
    return { cell(std::min(x0, x1) - reach), cell(std::min(y0, y1) - reach), cell(std::max(x0, x1) + reach),
        cell(std::max(y0, y1) + reach) };
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
    /// A copy of a plane with deferred work is the plane prepared in full.
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

    std::int16_t At(int x, int y) const
    {
        assert(Prepared(x, y));
        return m_cells[Index(x, y)];
    }
    std::int16_t& At(int x, int y)
    {
        assert(Prepared(x, y));
        return m_cells[Index(x, y)];
    }

    /// Row y as an array indexed by x = 0..W.
    const std::int16_t* Row(int y) const { return m_cells.get() + Index(0, y); }
    std::int16_t* Row(int y) { return m_cells.get() + Index(0, y); }

    // Work on the pixels may be deferred and done a tile at a time, on the
    // tiles that are read: a series calibrates only where it measures. Every
    // reader of pixels asks first for the cells it reads (Prepare); on a
    // plane without deferred work that costs a test. In a build with
    // AddressSanitizer the cells of tiles not prepared can't be read.

    /// The side of the square tiles deferred work is done in: tile (i, j)
    /// holds x = 64i + 1 .. 64i + 64, y = 64j + 1 .. 64j + 64.
    static constexpr int kTileSide = 64;
    /// Work on the pixels x = left..right of row y (`row` indexed by x).
    using TileWork = std::function<void(std::int16_t* row, int y, int left, int right)>;

    /// @brief Defers `work` on every pixel x = 1..W, y = 1..H; work deferred
    /// before is done first. Until its tile is prepared a pixel keeps its value.
    void Defer(TileWork work);
    /// @brief Does the deferred work, once, on every tile that holds a cell
    /// of `cells` (cut to the plane).
    void Prepare(const CellRect& cells) const
    {
        if (m_deferred)
            PrepareTiles(cells);
    }
    void PrepareAll() const { Prepare({ 1, 1, m_width, m_height }); }
    /// True when the value of cell (x, y) owes no deferred work.
    bool Prepared(int x, int y) const;

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
    /// @brief The plane takes new values: no pixel saturated, no row
    /// missing, no work deferred.
    void Renew();

private:
    std::size_t Index(int x, int y) const
    {
        return static_cast<std::size_t>(x) + static_cast<std::size_t>(m_width + 1) * static_cast<std::size_t>(y);
    }

    std::size_t CellCount() const { return Index(0, m_height + 1); }
    std::size_t SaturatedWords() const { return (CellCount() + 63) / 64; }

    /// The work deferred and the tiles that still owe it.
    struct Deferred {
        TileWork work;
        int columns = 0; ///< tiles across
        std::vector<bool> owed; ///< per tile, row by row from the bottom
        std::size_t owedCount = 0;
    };
    void PrepareTiles(const CellRect& cells) const;
    /// Unpoisons the cells of tile (i, j) for AddressSanitizer, or poisons them.
    void PoisonTile(int i, int j, bool poison) const;

    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<std::int16_t[]> m_cells;
    /// Nothing once every tile is prepared. A const reader prepares: the
    /// values it sees are those the plane stands for.
    mutable std::unique_ptr<Deferred> m_deferred;
    std::unique_ptr<std::uint64_t[]> m_saturated; ///< a bit per cell, or none
    std::vector<bool> m_missingRows; ///< per row 0..H, or empty
};

} // namespace lumvane
