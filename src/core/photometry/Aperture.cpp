#include "core/photometry/Aperture.h"

#include "core/common/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
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

    void Copy(int y, int x0, int x1, std::int32_t* out) const
    {
        const std::int16_t* row = img.Row(y);
        for (int x = x0; x <= x1; ++x)
            *out++ = row[x] + kPhysicalOffset;
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

    void Copy(int y, int x0, int x1, std::int32_t* out) const
    {
        const std::int32_t* row = window.Row(y) + (x0 - window.Left());
        std::copy(row, row + (x1 - x0 + 1), out);
    }
};

/// Sums of the t smallest of a list of physical counts, found by counting:
/// the counts per high byte place the t-th value in one high-byte bin, and the
/// counts per low byte within that bin place it exactly. Two passes over the
/// list whatever its order, where a selection such as std::nth_element pays a
/// mispredicted branch on most of its comparisons.
class SmallestSums {
public:
    explicit SmallestSums(const std::vector<std::int32_t>& values)
        : m_values(values)
    {
        // A sky's values share a few high bytes: four tables taken in turn
        // keep each addition from waiting on the one before it.
        constexpr std::size_t kTables = 4;
        std::array<std::array<std::int32_t, 256>, kTables> counts {};
        std::array<std::array<std::int64_t, 256>, kTables> sums {};
        const std::size_t size = values.size();
        std::size_t i = 0;
        for (; i + kTables <= size; i += kTables)
            for (std::size_t t = 0; t < kTables; ++t) {
                ++counts[t][High(values[i + t])];
                sums[t][High(values[i + t])] += values[i + t];
            }
        for (; i < size; ++i) {
            ++counts[0][High(values[i])];
            sums[0][High(values[i])] += values[i];
        }
        for (std::size_t t = 0; t < kTables; ++t)
            for (std::size_t high = 0; high < 256; ++high) {
                m_counts[high] += counts[t][high];
                m_sums[high] += sums[t][high];
            }
    }

    /// The sum of the t smallest values, 0 <= t <= size.
    std::int64_t Sum(std::int64_t t)
    {
        std::int64_t sum = 0;
        std::size_t high = 0;
        for (; t > m_counts[high]; ++high) {
            t -= m_counts[high];
            sum += m_sums[high];
        }
        if (t == 0)
            return sum;
        const std::array<std::int32_t, 256>& lowCounts = LowCounts(high);
        const auto base = (static_cast<std::int64_t>(high) << 8) - kKeyOffset;
        for (std::size_t low = 0; t > 0; ++low) {
            const std::int64_t taken = std::min<std::int64_t>(t, lowCounts[low]);
            sum += taken * (base + static_cast<std::int64_t>(low));
            t -= taken;
        }
        return sum;
    }

private:
    // Physical counts run from -1 (a stored -32768, below the encoding's range)
    // to 65534: keys value + 1 fit 16 bits.
    static constexpr std::int32_t kKeyOffset = 1;
    static std::size_t High(std::int32_t value) { return static_cast<std::size_t>((value + kKeyOffset) >> 8); }
    static std::size_t Low(std::int32_t value) { return static_cast<std::size_t>((value + kKeyOffset) & 255); }

    const std::array<std::int32_t, 256>& LowCounts(std::size_t high)
    {
        Bin& bin = m_bins[0].high == high || m_bins[0].high > 255 ? m_bins[0] : m_bins[1];
        if (bin.high != high) {
            bin.high = high;
            bin.counts.fill(0);
            for (const std::int32_t value : m_values)
                if (High(value) == high)
                    ++bin.counts[Low(value)];
        }
        return bin.counts;
    }

    struct Bin {
        std::size_t high = 256;
        std::array<std::int32_t, 256> counts;
    };

    const std::vector<std::int32_t>& m_values;
    std::array<std::int64_t, 256> m_counts {};
    std::array<std::int64_t, 256> m_sums {};
    std::array<Bin, 2> m_bins;
};

/// The background total from the annulus pixels inside the image (`values`);
/// the other n - values.size() pixels of the annulus are 0.
std::int64_t TrimmedTotal(const std::vector<std::int32_t>& values, std::int64_t n, double medianPercent)
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
    const auto k = static_cast<std::int64_t>(values.size());
    const std::int64_t end = std::min(n - m, k);
    if (m >= end)
        return 0;
    SmallestSums smallest(values);
    const auto trimmed = static_cast<double>(smallest.Sum(k - m) - smallest.Sum(k - end));
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
    m_values.reserve(static_cast<std::size_t>(std::min<std::int64_t>(m_annulus.pixels, std::int64_t { 1 } << 16)));
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
    // One clip of each run against the source's rectangle: outside it every
    // pixel counts 0, so it is simply not visited.
    const int left = source.Left();
    const int right = source.Right();
    const auto clipped = [&](int row, int x0, int x1) {
        x0 = std::max(x0, left);
        x1 = std::min(x1, right);
        if (x0 <= x1)
            visit(row, x0, x1);
    };
    const int firstRow = std::max(-ring.reach, source.Bottom() - y);
    const int lastRow = std::min(ring.reach, source.Top() - y);
    for (int dy = firstRow; dy <= lastRow; ++dy) {
        const Span span = ring.rows[static_cast<std::size_t>(dy + ring.reach)];
        if (span.lo > span.hi)
            continue;
        if (span.lo == 0) {
            clipped(y + dy, x - span.hi, x + span.hi);
        } else {
            clipped(y + dy, x - span.hi, x - span.lo);
            clipped(y + dy, x + span.lo, x + span.hi);
        }
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

template <class Source> ApertureSum Aperture::Background(const Source& source, float cx, float cy)
{
    if (!m_annulus.valid)
        return {};
    m_values.clear();
    ForEachRun(m_annulus, source, CentrePixel(cx), CentrePixel(cy), [&](int y, int x0, int x1) {
        const std::size_t at = m_values.size();
        m_values.resize(at + static_cast<std::size_t>(x1 - x0 + 1));
        source.Copy(y, x0, x1, m_values.data() + at);
    });
    return { TrimmedTotal(m_values, m_annulus.pixels, m_options.medianPercent), m_annulus.pixels };
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

ApertureSum Aperture::AnnulusBackground(const ImagePlane& img, float cx, float cy)
{
    img.Prepare(CellsAround(CentrePixel(cx), CentrePixel(cy), m_annulus.reach));
    return Background(PlaneSource { img }, cx, cy);
}

ApertureSum Aperture::AnnulusBackground(const StarWindow& window, float cx, float cy)
{
    return Background(WindowSource { window }, cx, cy);
}

} // namespace lumvane
