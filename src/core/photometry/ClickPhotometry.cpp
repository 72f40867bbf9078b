#include "core/photometry/ClickPhotometry.h"

#include "core/common/NumberText.h"
#include "core/common/Rounding.h"
#include "core/photometry/Aperture.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumvane {
namespace {

constexpr double kLargestSingle = std::numeric_limits<float>::max();

/// The row or column of the plane that holds a coordinate rounded half-even;
/// 0 (a cell that is not image) for anything outside 1..limit.
int PixelIndex(float coordinate, int limit)
{
    const double index = RoundHalfEven(static_cast<double>(coordinate));
    return index >= 1.0 && index <= static_cast<double>(limit) ? static_cast<int>(index) : 0;
}

} // namespace

std::optional<CountTexts> ClickResult::FinalCounts() const
{
    for (auto d = diaphragms.rbegin(); d != diaphragms.rend(); ++d)
        if (!d->counts.sum.empty())
            return d->counts;
    return std::nullopt;
}

ClickFields FieldsOfClick(const ClickResult& click)
{
    ClickFields fields;
    fields.counts = click.FinalCounts().value_or(CountTexts {});
    for (std::size_t k = 0; k < click.diaphragms.size(); ++k) {
        const DiaphragmResult& diaphragm = click.diaphragms[k];
        if (diaphragm.magnitudes) {
            fields.magnitude[k] = diaphragm.magnitudes->magnitudeText;
            fields.error[k] = diaphragm.magnitudes->errorText;
            if (k == 0)
                fields.clickMagnitude = diaphragm.magnitudes->clickMagnitudeText;
        } else if (diaphragm.withoutSt1) {
            fields.magnitude[k] = std::string(kNoSt1Text);
        }
    }
    return fields;
}

int CentreSearchRadius(double search)
{
    return static_cast<int>(std::clamp(std::floor(search), 0.0, double { kMaxSearchRadius }));
}

std::optional<RelativeMagnitudes> RelativeMagnitudesOf(
    const StarMeasurement& star, float st1Net, float st1Magnitude, double addend)
{
    if (!(st1Net > 0.0F && star.starNet > 0.0F && star.clickNet > 0.0F))
        return std::nullopt;
    RelativeMagnitudes result;
    // The ratios are single-precision quotients; the millionth and the
    // logarithm are double precision, and the magnitudes are held as singles.
    const double ratio = static_cast<double>(star.starNet / st1Net) + 0.000001;
    result.magnitude = ToSingle(static_cast<double>(st1Magnitude) - 2.5 * std::log10(ratio) + addend);
    result.clickMagnitude = ToSingle(
        static_cast<double>(result.magnitude) - 2.5 * std::log10(static_cast<double>(star.clickNet / star.starNet)));
    result.magnitudeText = NumberText(FlooredToThousandths(result.magnitude));
    result.clickMagnitudeText = NumberText(FlooredToThousandths(result.clickMagnitude));
    result.errorText = NumberText(FlooredToThousandths(star.magError));
    return result;
}

bool DiaphragmInsideImage(const ImagePlane& img, double x, double y, double r)
{
    return r <= x && x <= img.Width() - r && r <= y && y <= img.Height() - r;
}

MeasureStatus MeasureStatusOf(const ImagePlane& img, const StarMeasurement& star)
{
    if (star.status != StarStatus::Found)
        return MeasureStatus::Unmeasured;
    const int x = CentrePixel(star.centreX);
    const int y = CentrePixel(star.centreY);
    if (img.AnyRowMissing()) {
        const int reach = Aperture(star.radius, star.options).Reach();
        for (int row = std::max(1, y - reach); row <= std::min(img.Height(), y + reach); ++row)
            if (img.RowMissing(row))
                return MeasureStatus::Unmeasured;
    }
    if (img.AnySaturated()) {
        const int r = star.radius;
        for (int dy = -r; dy <= r; ++dy) {
            const int h = static_cast<int>(std::floor(std::sqrt(static_cast<double>(r * r - dy * dy))));
            for (int dx = -h; dx <= h; ++dx)
                if (img.Contains(x + dx, y + dy) && img.Saturated(x + dx, y + dy))
                    return MeasureStatus::Saturated;
        }
    }
    return MeasureStatus::Ok;
}

ClickResult MeasureClick(const ImagePlane& img, float x, float y, const ClickSettings& settings,
    const std::array<float, kClickDiaphragms>& st1Net, LastStar& last)
{
    ClickResult result;
    const double clickX = x;
    const double clickY = y;
    last.clickX = x;
    last.clickY = y;
    // The first diaphragm that holds a radius gives the centre that follows the star.
    bool centreTaken = false;
    const auto takeCentre = [&](float centreX, float centreY) {
        if (!centreTaken) {
            last.centreX = centreX;
            last.centreY = centreY;
            centreTaken = true;
        }
    };
    for (int k = 0; k < kClickDiaphragms; ++k) {
        const auto index = static_cast<std::size_t>(k);
        DiaphragmResult& diaphragm = result.diaphragms[index];
        const double r = std::floor(settings.radii[index]);
        if (!(r > 0.0)) {
            diaphragm.outcome = DiaphragmOutcome::Skipped;
            continue;
        }
        if (!DiaphragmInsideImage(img, clickX, clickY, r)) {
            diaphragm.outcome = DiaphragmOutcome::Outside;
            result.edgeStop = k;
            takeCentre(0.0F, 0.0F);
            break;
        }
        const int radius = static_cast<int>(r);
        diaphragm.radius = radius;
        if (k == 0)
            result.circles.push_back({ x, y, radius, CircleKind::Click });

        diaphragm.measurement
            = MeasureStar(settings.method, img, x, y, radius, settings.searchRadius, settings.options);
        const StarMeasurement& star = diaphragm.measurement;
        if (star.status == StarStatus::Found)
            result.circles.push_back({ star.centreX, star.centreY, radius, CircleKind::Centre });
        diaphragm.status = MeasureStatusOf(img, star);
        const bool measured = diaphragm.status != MeasureStatus::Unmeasured;
        takeCentre(measured ? star.centreX : 0.0F, measured ? star.centreY : 0.0F);
        last.net[index] = measured ? star.starNet : 0.0F;
        last.error[index] = measured ? star.magError : 0.0F;
        last.status[index] = diaphragm.status;

        // A radius of 1 or more always has diaphragm pixels, even when its
        // annulus is too large to measure.
        const float pixels = static_cast<float>(star.diaphragmPixels);
        diaphragm.counts
            = { NumberText(star.starNet), NumberText(pixels), NumberText(std::floor(star.starNet / pixels)) };
        // St1's magnitude is a single float: beyond that the click ends at its trap.
        if (!(std::fabs(settings.st1Magnitude) <= kLargestSingle)) {
            diaphragm.outcome = DiaphragmOutcome::Trapped;
            result.trapped = true;
            break;
        }
        diaphragm.outcome = DiaphragmOutcome::Measured;
    }
    // Diaphragms with a radius past the stop measured nothing: no earlier
    // star's counts stay there.
    for (std::size_t k = 0; k < result.diaphragms.size(); ++k) {
        const DiaphragmOutcome outcome = result.diaphragms[k].outcome;
        const bool hasRadius = std::floor(settings.radii[k]) > 0.0;
        if (hasRadius && (outcome == DiaphragmOutcome::Outside || outcome == DiaphragmOutcome::NotReached)) {
            last.net[k] = 0.0F;
            last.error[k] = 0.0F;
            last.status[k] = MeasureStatus::Unmeasured;
        }
    }
    RelateToSt1(result, st1Net, settings.st1Magnitude, settings.addend);
    return result;
}

void RelateToSt1(
    ClickResult& click, const std::array<float, kClickDiaphragms>& st1Net, double st1Magnitude, double addend)
{
    const bool single = std::fabs(st1Magnitude) <= kLargestSingle;
    for (std::size_t k = 0; k < click.diaphragms.size(); ++k) {
        DiaphragmResult& diaphragm = click.diaphragms[k];
        const bool measured
            = diaphragm.outcome == DiaphragmOutcome::Measured || diaphragm.outcome == DiaphragmOutcome::Trapped;
        diaphragm.withoutSt1 = measured && !(st1Net[k] > 0.0F);
        diaphragm.magnitudes.reset();
        if (diaphragm.outcome == DiaphragmOutcome::Measured && single)
            diaphragm.magnitudes
                = RelativeMagnitudesOf(diaphragm.measurement, st1Net[k], static_cast<float>(st1Magnitude), addend);
    }
}

QuickSumResult QuickSum(const ImagePlane& img, float x, float y, double radiusValue)
{
    QuickSumResult result;
    // The radius is a 16-bit value, and a negative one sums nothing.
    const double r = std::floor(radiusValue);
    if (!(r >= 0.0 && r <= std::numeric_limits<std::int16_t>::max())) {
        result.trapped = true;
        return result;
    }
    const int radius = static_cast<int>(r);
    result.radius = radius;
    result.circle = { x, y, radius, CircleKind::Click };
    img.Prepare(CellsSpanned(x, y, x, y, radius + 1));
    for (int dx = -radius; dx <= radius; ++dx) {
        const int h = static_cast<int>(std::floor(std::sqrt(static_cast<double>(radius * radius - dx * dx))));
        result.pixels += 2 * h + 1;
        const int column = PixelIndex(x + static_cast<float>(dx), img.Width());
        if (column == 0)
            continue;
        for (int dy = -h; dy <= h; ++dy)
            if (const int row = PixelIndex(y + static_cast<float>(dy), img.Height()); row != 0)
                result.sum += Physical(img.At(column, row));
    }
    result.counts = { NumberText(result.sum), NumberText(result.pixels),
        NumberText(std::floor(static_cast<double>(result.sum) / static_cast<double>(result.pixels))) };
    return result;
}

} // namespace lumvane
