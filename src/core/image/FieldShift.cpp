#include "core/image/FieldShift.h"

#include "core/common/VectorClones.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace lumvane {
namespace {

constexpr double kThresholdDeviations = 5.0;
constexpr double kMadToDeviation = 1.4826;
// Enough bins for a steady median and MAD: larger frames give every n-th.
constexpr std::size_t kStatisticsBins = 8192;
// Of the 3 x 3 bins around a maximum; its sky from the border of a 9 x 9 box;
// its centroid over 7 x 7 pixels.
constexpr int kSkyHalf = 4;
constexpr int kCentroidHalf = 3;
constexpr double kNeighbourShare = 0.2;
// Two maxima of one star give centres closer than this, pixels.
constexpr double kSameStar = 2.0;
// Stars that agree on a shift lie this close to their median, pixels.
constexpr double kAgreement = 1.5;

// Adds the physical counts of one image row to its row of bins, four pixels
// to a bin.
LUMVANE_VECTOR_CLONES
void AddBinnedRow(float* bins, const std::int16_t* row, int columns)
{
    for (int i = 0; i < columns; ++i) {
        const std::int16_t* pixels = row + 1 + kShiftBinSide * i;
        bins[i] += static_cast<float>(pixels[0] + pixels[1] + pixels[2] + pixels[3] + kShiftBinSide * kPhysicalOffset);
    }
}

double Median(std::vector<float>& values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

struct PeakPixel {
    int x = 0;
    int y = 0;
    double sky = 0.0;
};

/// The centre of the star that fills bin (i, j): the brightest pixel of the
/// bins i - 1 .. i + 1, j - 1 .. j + 1, what it stands on (the median of the
/// border of the 9 x 9 pixels around it), the centroid of the 7 x 7 pixels
/// above that. Nothing for a lone bright pixel. Every full-resolution pixel
/// the shift finder reads is read here.
std::optional<std::pair<double, double>> StarCentreNear(const ImagePlane& img, int i, int j)
{
    PeakPixel peak;
    int brightest = kStoredMin - 1;
    for (int y = kShiftBinSide * (j - 1) + 1; y <= kShiftBinSide * (j + 2); ++y)
        for (int x = kShiftBinSide * (i - 1) + 1; x <= kShiftBinSide * (i + 2); ++x)
            if (img.At(x, y) > brightest) {
                brightest = img.At(x, y);
                peak.x = x;
                peak.y = y;
            }
    if (peak.x - kSkyHalf < 1 || peak.x + kSkyHalf > img.Width() || peak.y - kSkyHalf < 1
        || peak.y + kSkyHalf > img.Height())
        return std::nullopt;
    for (int y = peak.y - kSkyHalf; y <= peak.y + kSkyHalf; ++y)
        if (img.RowMissing(y))
            return std::nullopt;
    std::vector<float> border;
    for (int d = -kSkyHalf; d < kSkyHalf; ++d) {
        border.push_back(static_cast<float>(img.At(peak.x + d, peak.y - kSkyHalf)));
        border.push_back(static_cast<float>(img.At(peak.x + kSkyHalf, peak.y + d)));
        border.push_back(static_cast<float>(img.At(peak.x - d, peak.y + kSkyHalf)));
        border.push_back(static_cast<float>(img.At(peak.x - kSkyHalf, peak.y - d)));
    }
    peak.sky = Median(border);

    const double height = brightest - peak.sky;
    const auto above = [&](int x, int y) { return img.At(x, y) - peak.sky; };
    const int lit = (above(peak.x - 1, peak.y) >= kNeighbourShare * height)
        + (above(peak.x + 1, peak.y) >= kNeighbourShare * height)
        + (above(peak.x, peak.y - 1) >= kNeighbourShare * height)
        + (above(peak.x, peak.y + 1) >= kNeighbourShare * height);
    if (!(height > 0.0) || lit < 3)
        return std::nullopt;

    double sum = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
    for (int dy = -kCentroidHalf; dy <= kCentroidHalf; ++dy)
        for (int dx = -kCentroidHalf; dx <= kCentroidHalf; ++dx) {
            const double weight = std::max(0.0, above(peak.x + dx, peak.y + dy));
            sum += weight;
            sumX += weight * dx;
            sumY += weight * dy;
        }
    return std::pair { peak.x + sumX / sum, peak.y + sumY / sum };
}

struct Difference {
    double x = 0.0;
    double y = 0.0;
    std::size_t reference = 0;
    std::size_t star = 0;
};

/// The differences within one bin of (x, y) each way.
std::vector<Difference> Near(const std::vector<Difference>& differences, double x, double y, double reach)
{
    std::vector<Difference> near;
    for (const Difference& d : differences)
        if (std::fabs(d.x - x) <= reach && std::fabs(d.y - y) <= reach)
            near.push_back(d);
    return near;
}

std::pair<double, double> MedianDifference(const std::vector<Difference>& differences)
{
    std::vector<float> xs;
    std::vector<float> ys;
    for (const Difference& d : differences) {
        xs.push_back(static_cast<float>(d.x));
        ys.push_back(static_cast<float>(d.y));
    }
    return { Median(xs), Median(ys) };
}

/// The pairs that agree with (x, y), each star in one pair at most (the
/// nearest to (x, y) first).
std::vector<Difference> Agreeing(std::vector<Difference> near, double x, double y)
{
    const auto distance = [&](const Difference& d) { return std::hypot(d.x - x, d.y - y); };
    std::sort(
        near.begin(), near.end(), [&](const Difference& a, const Difference& b) { return distance(a) < distance(b); });
    std::vector<Difference> agreeing;
    for (const Difference& d : near) {
        const bool taken = std::any_of(agreeing.begin(), agreeing.end(),
            [&](const Difference& a) { return a.reference == d.reference || a.star == d.star; });
        if (!taken && std::fabs(d.x - x) <= kAgreement && std::fabs(d.y - y) <= kAgreement)
            agreeing.push_back(d);
    }
    return agreeing;
}

} // namespace

void BinnedFrame::Reset(int width, int height)
{
    m_columns = std::max(0, width / kShiftBinSide);
    m_rows = std::max(0, height / kShiftBinSide);
    m_bins.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), 0.0F);
}

void BinnedFrame::AddRow(const ImagePlane& plane, int y)
{
    const int j = (y - 1) / kShiftBinSide;
    if (y < 1 || j >= m_rows)
        return;
    AddBinnedRow(
        m_bins.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(m_columns), plane.Row(y), m_columns);
}

void BinnedFrame::AddPlane(const ImagePlane& plane)
{
    for (int y = 1; y <= m_rows * kShiftBinSide; ++y)
        AddRow(plane, y);
}

void BinnedFrame::Normalise()
{
    double sum = 0.0;
    for (const float bin : m_bins)
        sum += bin;
    const auto mean = static_cast<float>(sum / static_cast<double>(std::max<std::size_t>(m_bins.size(), 1)));
    for (float& bin : m_bins)
        bin = mean > 0.0F ? bin / mean : 0.0F;
}

void BinnedFrame::Calibrate(const BinnedFrame* dark, const BinnedFrame* flat)
{
    for (std::size_t n = 0; n < m_bins.size(); ++n) {
        float value = m_bins[n] - (dark ? dark->m_bins[n] : 0.0F);
        if (flat)
            value = flat->m_bins[n] > 0.0F ? value / flat->m_bins[n] : 0.0F;
        m_bins[n] = value;
    }
}

std::vector<FieldStar> FindFieldStars(const BinnedFrame& bins, const ImagePlane& img, std::size_t most)
{
    std::vector<FieldStar> stars;
    const int columns = bins.Columns();
    const int rows = bins.Rows();
    if (columns < 3 || rows < 3)
        return stars;

    // Bins of rows the file did not hold are no sky and hold no star.
    std::vector<bool> present(static_cast<std::size_t>(rows), true);
    for (int y = 1; img.AnyRowMissing() && y <= kShiftBinSide * rows; ++y)
        if (img.RowMissing(y))
            present[static_cast<std::size_t>((y - 1) / kShiftBinSide)] = false;

    // The sky's level and spread from the bins: most of them are sky.
    const std::size_t count = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    const std::size_t stride = std::max<std::size_t>(1, count / kStatisticsBins);
    std::vector<float> sample;
    for (std::size_t n = 0; n < count; n += stride) {
        const auto j = static_cast<int>(n / static_cast<std::size_t>(columns));
        if (present[static_cast<std::size_t>(j)])
            sample.push_back(bins.At(static_cast<int>(n % static_cast<std::size_t>(columns)), j));
    }
    if (sample.empty())
        return stars;
    const double median = Median(sample);
    for (float& value : sample)
        value = static_cast<float>(std::fabs(value - median));
    const double threshold = median + kThresholdDeviations * kMadToDeviation * Median(sample);

    struct Maximum {
        float value;
        int i;
        int j;
    };
    std::vector<Maximum> maxima;
    for (int j = 1; j + 1 < rows; ++j)
        for (int i = 1; i + 1 < columns && present[static_cast<std::size_t>(j)]; ++i) {
            const float v = bins.At(i, j);
            // Ties go to the bin below or to the left: one maximum per plateau.
            if (v > threshold && v > bins.At(i - 1, j - 1) && v > bins.At(i, j - 1) && v > bins.At(i + 1, j - 1)
                && v > bins.At(i - 1, j) && v >= bins.At(i + 1, j) && v >= bins.At(i - 1, j + 1)
                && v >= bins.At(i, j + 1) && v >= bins.At(i + 1, j + 1))
                maxima.push_back({ v, i, j });
        }
    std::sort(maxima.begin(), maxima.end(), [](const Maximum& a, const Maximum& b) { return a.value > b.value; });

    for (std::size_t m = 0; m < maxima.size() && m < 4 * most && stars.size() < most; ++m) {
        const auto centre = StarCentreNear(img, maxima[m].i, maxima[m].j);
        if (!centre)
            continue;
        const bool known = std::any_of(stars.begin(), stars.end(), [&](const FieldStar& star) {
            return std::hypot(star.x - centre->first, star.y - centre->second) < kSameStar;
        });
        if (!known)
            stars.push_back({ centre->first, centre->second, maxima[m].value - median });
    }
    return stars;
}

FieldShiftResult MatchFieldStars(
    const std::vector<FieldStar>& reference, const std::vector<FieldStar>& stars, int width, int height)
{
    FieldShiftResult result;
    if (reference.size() < static_cast<std::size_t>(kShiftMatches)) {
        result.status = FieldShiftStatus::TooFewStars;
        return result;
    }
    std::vector<Difference> differences;
    for (std::size_t r = 0; r < reference.size(); ++r)
        for (std::size_t s = 0; s < stars.size(); ++s) {
            const Difference d { stars[s].x - reference[r].x, stars[s].y - reference[r].y, r, s };
            if (std::fabs(d.x) <= width / 2.0 && std::fabs(d.y) <= height / 2.0)
                differences.push_back(d);
        }

    // Each difference votes for its cell of one bin and the cells around it.
    std::vector<std::pair<long long, long long>> votes;
    const auto cell = [](double value) { return static_cast<long long>(std::floor(value / kShiftBinSide)); };
    for (const Difference& d : differences)
        for (long long cy = cell(d.y) - 1; cy <= cell(d.y) + 1; ++cy)
            for (long long cx = cell(d.x) - 1; cx <= cell(d.x) + 1; ++cx)
                votes.emplace_back(cx, cy);
    std::sort(votes.begin(), votes.end());
    std::pair<long long, long long> best;
    std::size_t bestVotes = 0;
    for (std::size_t v = 0; v < votes.size();) {
        std::size_t end = v;
        while (end < votes.size() && votes[end] == votes[v])
            ++end;
        if (end - v > bestVotes) {
            bestVotes = end - v;
            best = votes[v];
        }
        v = end;
    }

    // The cell's differences, then those that agree about their median.
    const double centreX = (static_cast<double>(best.first) + 0.5) * kShiftBinSide;
    const double centreY = (static_cast<double>(best.second) + 0.5) * kShiftBinSide;
    const std::vector<Difference> near = Near(differences, centreX, centreY, 1.5 * kShiftBinSide);
    if (near.size() < static_cast<std::size_t>(kShiftMatches))
        return result;
    const auto [medianX, medianY] = MedianDifference(near);
    const std::vector<Difference> agreeing = Agreeing(near, medianX, medianY);
    result.matches = static_cast<int>(agreeing.size());
    if (result.matches < kShiftMatches)
        return result;
    const auto [x, y] = MedianDifference(agreeing);
    result.status = FieldShiftStatus::Found;
    result.shift = { static_cast<float>(x), static_cast<float>(y) };
    return result;
}

} // namespace lumvane
