#pragma once

#include "core/image/ImagePlane.h"
#include "core/photometry/PhotometryOptions.h"
#include "core/photometry/StarWindow.h"

#include <cstdint>
#include <vector>

namespace lumvane {

/// The farthest a diaphragm or an annulus may reach from its centre pixel, in
/// rows or columns: the range of 16-bit image coordinates.
inline constexpr int kMaxApertureReach = 32767;

/// @brief The image pixel that holds a coordinate: floor(coordinate).
///
/// Coordinates far beyond any image (and NaN) give a pixel far outside it.
int CentrePixel(float coordinate);

/// @brief Physical counts summed over a diaphragm or an annulus, and the number
/// of pixels it holds. Pixels outside the image are counted, with the value 0.
struct ApertureSum {
    std::int64_t sum = 0;
    std::int64_t pixels = 0;
};

/// @brief The diaphragm of radius r and its background annulus, measured at
/// any centre of the IMG plane or of a StarWindow.
///
/// Centres are image coordinates (x from the left, y from the bottom, pixel
/// (1, 1) the bottom-left one); a measurement is made around the pixel that
/// holds the centre, so (10.9, 20.2) measures around pixel (10, 20). The
/// shapes are worked out once, so one Aperture serves every candidate centre of
/// a search. Both sources give the same sums for the same centre as long as the
/// window covers the aperture.
class Aperture {
public:
    /// @param radius diaphragm radius in pixels
    Aperture(int radius, const PhotometryOptions& options);

    int Radius() const { return m_radius; }
    const PhotometryOptions& Options() const { return m_options; }

    /// False for a negative radius or an annulus reaching beyond
    /// kMaxApertureReach: such an aperture measures nothing (every sum is 0
    /// over 0 pixels).
    bool Valid() const { return m_diaphragm.valid && m_annulus.valid; }
    /// Rows or columns from the centre pixel to the farthest pixel of the
    /// diaphragm or the annulus.
    int Reach() const;
    /// Pixels with dx² + dy² <= r².
    std::int64_t DiaphragmPixels() const { return m_diaphragm.pixels; }
    /// Pixels with round(R1² r²) <= dx² + dy² <= round(R2² r²) and |dx|, |dy| <= round(R2 r).
    std::int64_t AnnulusPixels() const { return m_annulus.pixels; }

    /// @brief The sum of physical counts in the diaphragm around (cx, cy).
    ApertureSum DiaphragmSum(const ImagePlane& img, float cx, float cy) const;
    ApertureSum DiaphragmSum(const StarWindow& window, float cx, float cy) const;

    /// @brief The background total of the annulus around (cx, cy).
    ///
    /// Of the n annulus pixels sorted by count, m = round(P n / 100) (halves to
    /// even) are dropped at each end; the sum S of the n - 2m middle ones is
    /// scaled back to the whole annulus, round(S + 2 m S / (n - 2m)) with
    /// halves to even. When nothing is left between the cuts the total is 0.
    ApertureSum AnnulusBackground(const ImagePlane& img, float cx, float cy) const;
    ApertureSum AnnulusBackground(const StarWindow& window, float cx, float cy) const;

    /// @brief AnnulusBackground around every pixel (x + dx, y + dy) with |dx|,
    /// |dy| <= search, in the order dx ascending, then dy ascending.
    std::vector<ApertureSum> AnnulusBackgrounds(const StarWindow& window, int x, int y, int search) const;

private:
    /// The pixels |dx| = lo .. hi from the centre column, on one row.
    struct Span {
        int lo = 1;
        int hi = 0;
    };
    /// A shape symmetric about its centre pixel, row by row: rows[dy + reach].
    struct Ring {
        bool valid = true;
        int reach = -1;
        std::vector<Span> rows;
        std::int64_t pixels = 0;
    };

    static Ring MakeRing(std::int64_t innerSquare, std::int64_t outerSquare, int reach);
    /// Visits (row, x0, x1) for each run of the ring around (x, y) inside the source.
    template <class Source, class Visit>
    static void ForEachRun(const Ring& ring, const Source& source, int x, int y, Visit&& visit);
    /// The same for the pixels |dx| = span.lo .. span.hi of image row y.
    template <class Source, class Visit>
    static void ForEachRunOf(Span span, const Source& source, int x, int y, Visit& visit);
    /// Visits the runs that leave the ring and those that enter it when its
    /// centre moves from (x, y - 1) to (x, y).
    template <class Source, class Leave, class Enter>
    static void ForEachMovedRun(const Ring& ring, const Source& source, int x, int y, Leave&& leave, Enter&& enter);
    template <class Source> ApertureSum Sum(const Source& source, float cx, float cy) const;
    template <class Source> ApertureSum Background(const Source& source, float cx, float cy) const;

    int m_radius;
    PhotometryOptions m_options;
    Ring m_diaphragm;
    Ring m_annulus;
};

} // namespace lumvane
