#include "core/photometry/Aperture.h"

#include "core/common/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numeric>

namespace lumvane {
namespace {

constexpr int kFarPixel = 1'000'000'000;

std::int64_t FloorSqrt(std::int64_t value)
{
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
    while (root * root > value)
        --root;
    while ((root + 1) * (root + 1) <= value)
        ++root;
    return root;
}

std::int64_t CeilSqrt(std::int64_t value)
{
    const std::int64_t root = FloorSqrt(value);
    return root * root == value ? root : root + 1;
}

/// The IMG plane as a source: physical counts of 1..W x 1..H.
struct PlaneSource {
    const ImagePlane& img;

    int Left() const { return 1; }
    int Right() const { return img.Width(); }
    int Bottom() const { return 1; }
    int Top() const { return img.Height(); }

    std::int64_t Sum(int y, int x0, int x1) const
    {
        const std::int16_t* row = img.Row(y);
        std::int64_t sum = 0;
        for (int x = x0; x <= x1; ++x)
            sum += row[x];
        return sum + static_cast<std::int64_t>(x1 - x0 + 1) * kPhysicalOffset;
    }

    template <class Visit> void ForEach(int y, int x0, int x1, Visit&& visit) const
    {
        const std::int16_t* row = img.Row(y);
        for (int x = x0; x <= x1; ++x)
            visit(row[x] + kPhysicalOffset);
    }
};

/// A StarWindow as a source: it already holds physical counts.
struct WindowSource {
    const StarWindow& window;

    int Left() const { return window.Left(); }
    int Right() const { return window.Right(); }
    int Bottom() const { return window.Bottom(); }
    int Top() const { return window.Top(); }

    std::int64_t Sum(int y, int x0, int x1) const
    {
        const std::int32_t* row = window.Row(y) + (x0 - window.Left());
        return std::accumulate(row, row + (x1 - x0 + 1), std::int64_t { 0 });
    }

    template <class Visit> void ForEach(int y, int x0, int x1, Visit&& visit) const
    {
        const std::int32_t* row = window.Row(y) + (x0 - window.Left());
        std::for_each(row, row + (x1 - x0 + 1), visit);
    }
};

/// How many annulus pixels hold each physical count, kept as pixels enter and
/// leave, with the counts and sums per high byte: the sum of the t smallest
/// values walks the high bytes to the bin that holds the t-th value, then that
/// bin's low bytes. A search moves one annulus over many centres, and the
/// counts follow it at the cost of the pixels that change.
class AnnulusCounts {
public:
    std::int64_t Size() const { return m_size; }

    template <class Source> void Change(const Source& source, int y, int x0, int x1, int step)
    {
        source.ForEach(y, x0, x1, [&](std::int32_t value) {
            const auto key = static_cast<std::size_t>(value + kKeyOffset);
            const std::size_t high = key >> 8;
            // The keys of an empty bin are never read: a bin is cleared when
            // its first value comes, so a new tally clears only the bins it uses.
            if (m_counts[high] == 0)
                std::fill_n(&m_keys[high << 8], 256, 0);
            m_keys[key] += step;
            m_counts[high] += step;
            m_sums[high] += step * value;
        });
        m_size += step * (x1 - x0 + 1);
    }

    /// The sum of the t smallest values, 0 <= t <= Size().
    std::int64_t SmallestSum(std::int64_t t) const
    {
        std::int64_t sum = 0;
        std::size_t high = 0;
        for (; t > m_counts[high]; ++high) {
            t -= m_counts[high];
            sum += m_sums[high];
        }
        for (std::size_t key = high << 8; t > 0; ++key) {
            const std::int64_t taken = std::min<std::int64_t>(t, m_keys[key]);
            sum += taken * (static_cast<std::int64_t>(key) - kKeyOffset);
            t -= taken;
        }
        return sum;
    }

private:
    // Physical counts run from -1 (a stored -32768, below the encoding's range)
    // to 65534: keys value + 1 fit 16 bits.
    static constexpr std::int32_t kKeyOffset = 1;

    std::unique_ptr<std::int32_t[]> m_keys = std::make_unique_for_overwrite<std::int32_t[]>(std::size_t { 1 } << 16);
    std::array<std::int64_t, 256> m_counts {};
    std::array<std::int64_t, 256> m_sums {};
    std::int64_t m_size = 0;
};

/// The background total from the annulus pixels inside the image (`counts`);
/// the other n - counts.Size() pixels of the annulus are 0.
std::int64_t TrimmedTotal(const AnnulusCounts& counts, std::int64_t n, double medianPercent)
{
    double drop = RoundHalfEven(static_cast<double>(medianPercent) * static_cast<double>(n) / 100.0);
    if (!(drop >= 0.0))
        drop = 0.0;
    const auto m = static_cast<std::int64_t>(std::min(drop, static_cast<double>(n)));
    if (n - 2 * m <= 0)
        return 0; // no value between the cuts: the trimmed sum is empty

    // Counts are never negative, so sorted in descending order the n values are
    // the inside ones followed by the zeros. The middle n - 2m are descending
    // positions m .. n - m - 1; among the k inside values those are ascending
    // positions k - end .. k - m - 1.
    const std::int64_t k = counts.Size();
    const std::int64_t end = std::min(n - m, k);
    if (m >= end)
        return 0;
    const auto trimmed = static_cast<double>(counts.SmallestSum(k - m) - counts.SmallestSum(k - end));
    const double scaled = trimmed + 2.0 * static_cast<double>(m) * trimmed / static_cast<double>(n - 2 * m);
    return static_cast<std::int64_t>(RoundHalfEven(scaled));
}

} // namespace

int CentrePixel(float coordinate)
{
    if (!(coordinate > -static_cast<float>(kFarPixel)))
        return -kFarPixel;
    if (coordinate > static_cast<float>(kFarPixel))
        return kFarPixel;
    return static_cast<int>(std::floor(coordinate));
}

Aperture::Aperture(int radius, const PhotometryOptions& options)
    : m_radius(radius)
    , m_options(options)
{
    const auto r = static_cast<std::int64_t>(radius);
    m_diaphragm = MakeRing(0, r * r, radius);
    m_diaphragm.valid = radius >= 0 && radius <= kMaxApertureReach;

    // The scan limit is worked in single precision as the options are held;
    // the squared radii in double.
    const double reach = RoundHalfEven(static_cast<double>(options.annulusOuter * static_cast<float>(radius)));
    const double radiusSquare = static_cast<double>(radius) * radius;
    const auto outer = static_cast<double>(options.annulusOuter);
    const auto inner = static_cast<double>(options.annulusInner);
    const double outerSquare = RoundHalfEven(outer * outer * radiusSquare);
    const double innerSquare = RoundHalfEven(inner * inner * radiusSquare);
    if (!m_diaphragm.valid || !(reach <= kMaxApertureReach) || !(innerSquare >= 0.0) || !(outerSquare >= 0.0)) {
        m_annulus.valid = false;
        return;
    }
    m_annulus = MakeRing(static_cast<std::int64_t>(std::min(innerSquare, outerSquare + 1.0)),
        static_cast<std::int64_t>(outerSquare), static_cast<int>(std::max(reach, -1.0)));
}

Aperture::Ring Aperture::MakeRing(std::int64_t innerSquare, std::int64_t outerSquare, int reach)
{
    Ring ring;
    if (reach < 0 || reach > kMaxApertureReach)
        return ring;
    ring.reach = reach;
    ring.rows.resize(static_cast<std::size_t>(2 * reach + 1));
    for (int dy = -reach; dy <= reach; ++dy) {
        const std::int64_t dySquare = static_cast<std::int64_t>(dy) * dy;
        if (dySquare > outerSquare)
            continue;
        const auto hi = static_cast<int>(std::min<std::int64_t>(reach, FloorSqrt(outerSquare - dySquare)));
        const auto lo = static_cast<int>(innerSquare <= dySquare ? 0 : CeilSqrt(innerSquare - dySquare));
        if (lo > hi)
            continue;
        ring.rows[static_cast<std::size_t>(dy + reach)] = Span { lo, hi };
        ring.pixels += lo == 0 ? 2 * hi + 1 : 2 * (hi - lo + 1);
    }
    return ring;
}

int Aperture::Reach() const
{
    return std::max(m_diaphragm.reach, m_annulus.reach);
}

template <class Source, class Visit>
void Aperture::ForEachRun(const Ring& ring, const Source& source, int x, int y, Visit&& visit)
{
    const int firstRow = std::max(-ring.reach, source.Bottom() - y);
    const int lastRow = std::min(ring.reach, source.Top() - y);
    for (int dy = firstRow; dy <= lastRow; ++dy)
        ForEachRunOf(ring.rows[static_cast<std::size_t>(dy + ring.reach)], source, x, y + dy, visit);
}

template <class Source, class Visit>
void Aperture::ForEachRunOf(Span span, const Source& source, int x, int y, Visit& visit)
{
    // One clip of each run against the source's rectangle: outside it every
    // pixel counts 0, so it is simply not visited.
    const auto clipped = [&](int x0, int x1) {
        x0 = std::max(x0, source.Left());
        x1 = std::min(x1, source.Right());
        if (x0 <= x1)
            visit(y, x0, x1);
    };
    if (span.lo > span.hi)
        return;
    if (span.lo == 0) {
        clipped(x - span.hi, x + span.hi);
    } else {
        clipped(x - span.hi, x - span.lo);
        clipped(x + span.lo, x + span.hi);
    }
}

template <class Source, class Leave, class Enter>
void Aperture::ForEachMovedRun(const Ring& ring, const Source& source, int x, int y, Leave&& leave, Enter&& enter)
{
    const auto spanAt = [&](int dy) {
        return std::abs(dy) <= ring.reach ? ring.rows[static_cast<std::size_t>(dy + ring.reach)] : Span {};
    };
    // The parts of `span` outside `keep`; an empty span has lo > hi.
    const auto outside = [](Span span, Span keep) {
        return std::array<Span, 2> { { { span.lo, std::min(span.hi, keep.lo - 1) },
            { std::max(span.lo, keep.hi + 1), span.hi } } };
    };
    const int firstRow = std::max(y - 1 - ring.reach, source.Bottom());
    const int lastRow = std::min(y + ring.reach, source.Top());
    for (int row = firstRow; row <= lastRow; ++row) {
        const Span before = spanAt(row - (y - 1));
        const Span after = spanAt(row - y);
        for (const Span part : outside(before, after))
            ForEachRunOf(part, source, x, row, leave);
        for (const Span part : outside(after, before))
            ForEachRunOf(part, source, x, row, enter);
    }
}

template <class Source> ApertureSum Aperture::Sum(const Source& source, float cx, float cy) const
{
    if (!m_diaphragm.valid)
        return {};
    ApertureSum result { 0, m_diaphragm.pixels };
    ForEachRun(m_diaphragm, source, CentrePixel(cx), CentrePixel(cy),
        [&](int y, int x0, int x1) { result.sum += source.Sum(y, x0, x1); });
    return result;
}

template <class Source> ApertureSum Aperture::Background(const Source& source, float cx, float cy) const
{
    if (!m_annulus.valid)
        return {};
    AnnulusCounts counts;
    ForEachRun(m_annulus, source, CentrePixel(cx), CentrePixel(cy),
        [&](int y, int x0, int x1) { counts.Change(source, y, x0, x1, 1); });
    return { TrimmedTotal(counts, m_annulus.pixels, m_options.medianPercent), m_annulus.pixels };
}

std::vector<ApertureSum> Aperture::AnnulusBackgrounds(const StarWindow& window, int x, int y, int search) const
{
    const auto side = static_cast<std::size_t>(2 * search + 1);
    std::vector<ApertureSum> backgrounds(side * side);
    if (!m_annulus.valid)
        return backgrounds;
    const WindowSource source { window };
    auto next = backgrounds.begin();
    for (int dx = -search; dx <= search; ++dx) {
        // Each column is counted afresh at its lowest centre; each step up
        // then changes only the ends of the ring's runs.
        AnnulusCounts counts;
        const auto enter = [&](int row, int x0, int x1) { counts.Change(source, row, x0, x1, 1); };
        const auto leave = [&](int row, int x0, int x1) { counts.Change(source, row, x0, x1, -1); };
        const auto total = [&] {
            return ApertureSum { TrimmedTotal(counts, m_annulus.pixels, m_options.medianPercent), m_annulus.pixels };
        };
        ForEachRun(m_annulus, source, x + dx, y - search, enter);
        *next++ = total();
        for (int dy = -search + 1; dy <= search; ++dy) {
            ForEachMovedRun(m_annulus, source, x + dx, y + dy, leave, enter);
            *next++ = total();
        }
    }
    return backgrounds;
}

ApertureSum Aperture::DiaphragmSum(const ImagePlane& img, float cx, float cy) const
{
    img.Prepare(CellsAround(CentrePixel(cx), CentrePixel(cy), m_diaphragm.reach));
    return Sum(PlaneSource { img }, cx, cy);
}

ApertureSum Aperture::DiaphragmSum(const StarWindow& window, float cx, float cy) const
{
    return Sum(WindowSource { window }, cx, cy);
}

ApertureSum Aperture::AnnulusBackground(const ImagePlane& img, float cx, float cy) const
{
    img.Prepare(CellsAround(CentrePixel(cx), CentrePixel(cy), m_annulus.reach));
    return Background(PlaneSource { img }, cx, cy);
}

ApertureSum Aperture::AnnulusBackground(const StarWindow& window, float cx, float cy) const
{
    return Background(WindowSource { window }, cx, cy);
}

} // namespace lumvane
