#include "core/photometry/StarCentring.h"

#include "core/common/Rounding.h"
#include "core/photometry/Aperture.h"
#include "core/photometry/StarNet.h"
#include "core/photometry/StarWindow.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace lumvane {
namespace {

// No 16-bit image reaches this far: a click beyond it is not near any star.
constexpr float kFarCoordinate = 1.0e6F;

StarMeasurement Started(CentringMethod method, float x, float y, const Aperture& aperture, int searchRadius)
{
    StarMeasurement result;
    result.method = method;
    result.clickX = x;
    result.clickY = y;
    result.radius = aperture.Radius();
    result.searchRadius = std::clamp(searchRadius, 0, kMaxSearchRadius);
    result.options = aperture.Options();
    result.diaphragmPixels = aperture.DiaphragmPixels();
    result.annulusPixels = aperture.AnnulusPixels();
    return result;
}

bool Measurable(const Aperture& aperture, float x, float y)
{
    return aperture.Valid() && std::fabs(x) <= kFarCoordinate && std::fabs(y) <= kFarCoordinate;
}

StarMeasurement Failed(StarMeasurement result, StarStatus status)
{
    result.status = status;
    result.centreX = 0.0F;
    result.centreY = 0.0F;
    result.starNet = 0.0F;
    result.clickNet = 0.0F;
    result.magError = 0.0F;
    return result;
}

/// The values at descending positions p1 <= p2 of a list made of `values`
/// followed by zeros (the box pixels outside the image).
std::pair<std::int32_t, std::int32_t> DescendingLevels(
    std::vector<std::int32_t>& values, std::int64_t p1, std::int64_t p2)
{
    const auto k = static_cast<std::int64_t>(values.size());
    std::int32_t level1 = 0;
    std::int32_t level2 = 0;
    if (p2 < k) {
        std::nth_element(values.begin(), values.begin() + p2, values.end(), std::greater<>());
        level2 = values[static_cast<std::size_t>(p2)];
    }
    if (p1 < k) {
        const std::int64_t stop = std::min(p2, k);
        if (p1 < stop)
            std::nth_element(values.begin(), values.begin() + p1, values.begin() + stop, std::greater<>());
        level1 = values[static_cast<std::size_t>(p1)];
    }
    return { level1, level2 };
}

int BoxEdge(float coordinate)
{
    return static_cast<int>(RoundHalfEven(static_cast<double>(coordinate)));
}

} // namespace

StarMeasurement MeasureStarPeak(
    const ImagePlane& img, float x, float y, int radius, int searchRadius, const PhotometryOptions& options)
{
    Aperture aperture(radius, options);
    StarMeasurement result = Started(CentringMethod::Peak, x, y, aperture, searchRadius);
    if (!Measurable(aperture, x, y))
        return Failed(result, StarStatus::NotFound);

    const int search = result.searchRadius;
    const int clickX = CentrePixel(x);
    const int clickY = CentrePixel(y);
    const StarWindow window(img, clickX, clickY, search + aperture.Reach());
    const auto sumAt = [&](int dx, int dy) {
        return aperture.DiaphragmSum(window, static_cast<float>(clickX + dx), static_cast<float>(clickY + dy));
    };
    const std::vector<ApertureSum> backgrounds = aperture.AnnulusBackgrounds(window, clickX, clickY, search);
    const auto backgroundAt = [&](int dx, int dy) {
        return backgrounds[static_cast<std::size_t>((dx + search) * (2 * search + 1) + dy + search)];
    };

    const ApertureSum clickBackground = backgroundAt(0, 0);
    if (clickBackground.sum == 0)
        return Failed(result, StarStatus::Corner);
    const ApertureSum clickSum = sumAt(0, 0);
    result.clickNet = *NetCounts(clickSum, clickBackground);

    // Every candidate is measured once; the clicked point's sum is reused,
    // and the winner's sums are those of the final measurement.
    std::int64_t best = 0;
    int bestDx = 0;
    int bestDy = 0;
    ApertureSum bestSum;
    ApertureSum bestBackground;
    for (int dx = -search; dx <= search; ++dx) {
        for (int dy = -search; dy <= search; ++dy) {
            const ApertureSum sum = dx == 0 && dy == 0 ? clickSum : sumAt(dx, dy);
            if (sum.sum <= 0)
                continue;
            const ApertureSum background = backgroundAt(dx, dy);
            if (background.sum <= 0)
                continue;
            const auto net = static_cast<std::int64_t>(RoundHalfEven(*NetCounts(sum, background)));
            if (net > best) {
                best = net;
                bestDx = dx;
                bestDy = dy;
                bestSum = sum;
                bestBackground = background;
            }
        }
    }
    if (best == 0)
        return Failed(result, StarStatus::NotFound);

    result.starNet = static_cast<float>(best);
    const auto error = MagnitudeError(bestSum, bestBackground, result.starNet);
    if (!error)
        return Failed(result, StarStatus::NotFound);
    result.status = StarStatus::Found;
    result.centreX = x + static_cast<float>(bestDx);
    result.centreY = y + static_cast<float>(bestDy);
    result.magError = *error;
    return result;
}

StarMeasurement MeasureStarCentroid(
    const ImagePlane& img, float x, float y, int radius, int searchRadius, const PhotometryOptions& options)
{
    Aperture aperture(radius, options);
    StarMeasurement result = Started(CentringMethod::Centroid, x, y, aperture, searchRadius);
    if (!Measurable(aperture, x, y))
        return Failed(result, StarStatus::NotFound);

    const auto clickNet = NetCounts(aperture.DiaphragmSum(img, x, y), aperture.AnnulusBackground(img, x, y));
    if (!clickNet)
        return Failed(result, StarStatus::NotFound);
    result.clickNet = *clickNet;

    // The box edges are worked in single precision, as the clicked point is held.
    const auto r = static_cast<float>(radius);
    const auto search = static_cast<float>(result.searchRadius);
    const int left = BoxEdge(x - r - search);
    const int right = BoxEdge(x + r + search);
    const int bottom = BoxEdge(y - r - search);
    const int top = BoxEdge(y + r + search);
    const auto boxPixels = static_cast<std::int64_t>(right - left + 1) * (top - bottom + 1);

    // The box pixels inside the image; the others are 0 and sort last.
    const int insideLeft = std::max(left, 1);
    const int insideRight = std::min(right, img.Width());
    const int insideBottom = std::max(bottom, 1);
    const int insideTop = std::min(top, img.Height());
    img.Prepare({ insideLeft, insideBottom, insideRight, insideTop });
    std::vector<std::int32_t> values;
    if (insideLeft <= insideRight && insideBottom <= insideTop)
        values.reserve(static_cast<std::size_t>(insideRight - insideLeft + 1)
            * static_cast<std::size_t>(insideTop - insideBottom + 1));
    for (int j = insideBottom; j <= insideTop; ++j) {
        const std::int16_t* row = img.Row(j);
        for (int i = insideLeft; i <= insideRight; ++i)
            values.push_back(row[i] + kPhysicalOffset);
    }
    const auto position1 = static_cast<std::int64_t>(RoundHalfEven(0.05 * static_cast<double>(boxPixels)));
    const auto position2 = static_cast<std::int64_t>(RoundHalfEven(0.2 * static_cast<double>(boxPixels)));
    const auto [level1, level2] = DescendingLevels(values, position1, position2);

    std::int64_t sumX = 0;
    std::int64_t sumY = 0;
    std::int64_t count = 0;
    for (int j = insideBottom; j <= insideTop; ++j) {
        const std::int16_t* row = img.Row(j);
        for (int i = insideLeft; i <= insideRight; ++i) {
            const int c = row[i] + kPhysicalOffset;
            if (level2 < c && c < level1) {
                sumX += i;
                sumY += j;
                ++count;
            }
        }
    }
    if (count == 0)
        return Failed(result, StarStatus::NotFound);
    const auto centreX = static_cast<float>(static_cast<double>(sumX) / static_cast<double>(count));
    const auto centreY = static_cast<float>(static_cast<double>(sumY) / static_cast<double>(count));

    const ApertureSum sum = aperture.DiaphragmSum(img, centreX, centreY);
    const ApertureSum background = aperture.AnnulusBackground(img, centreX, centreY);
    const auto net = NetCounts(sum, background);
    if (!net)
        return Failed(result, StarStatus::NotFound);
    const float starNet = std::floor(*net);
    const auto error = MagnitudeError(sum, background, starNet);
    if (!error)
        return Failed(result, StarStatus::NotFound);
    result.status = StarStatus::Found;
    result.centreX = centreX;
    result.centreY = centreY;
    result.starNet = starNet;
    result.magError = *error;
    return result;
}

StarMeasurement MeasureStar(CentringMethod method, const ImagePlane& img, float x, float y, int radius,
    int searchRadius, const PhotometryOptions& options)
{
    return method == CentringMethod::Peak ? MeasureStarPeak(img, x, y, radius, searchRadius, options)
                                          : MeasureStarCentroid(img, x, y, radius, searchRadius, options);
}

std::string_view StarStatusMessage(StarStatus status)
{
    switch (status) {
    case StarStatus::Found:
        return {};
    case StarStatus::Corner:
        return "This star is on the corner!";
    case StarStatus::NotFound:
        return "No star is found here or the diaphragm radius is very large!";
    }
    return {};
}

} // namespace lumvane
