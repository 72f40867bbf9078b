#include "core/results/Ensemble.h"

#include "core/photometry/StarSlots.h"

#include <algorithm>
#include <cmath>

namespace lumvane {

std::string EnsembleProblem(const Ensemble& ensemble)
{
    for (auto c = ensemble.begin(); c != ensemble.end(); ++c) {
        if (c->slot < 0 || c->slot >= kVar1Slot)
            return "A comparison star is one of St1 to St19";
        const std::string label = StarLabel(c->slot);
        if (std::any_of(ensemble.begin(), c, [&](const ComparisonStar& o) { return o.slot == c->slot; }))
            return label + " is named twice among the comparison stars";
        if (!std::isfinite(c->catalogue) || std::abs(c->catalogue) >= 100.0)
            return "The catalogue magnitude of " + label + " is no magnitude";
    }
    return {};
}

MagnitudeEstimate EnsembleMagnitude(
    double targetInstrumental, double targetError, std::span<const ComparisonMeasurement> comparisons)
{
    const double targetVariance = targetError * targetError;
    double weights = 0.0;
    double weighted = 0.0;
    double photon = 0.0;
    for (const ComparisonMeasurement& c : comparisons) {
        const double w = 1.0 / (targetVariance + c.error * c.error);
        weights += w;
        weighted += w * (c.catalogue + targetInstrumental - c.instrumental);
        photon += w * w * c.error * c.error;
    }
    const double magnitude = weighted / weights;
    double zeroPoint = photon / (weights * weights);
    if (comparisons.size() > 1) {
        double scatter = 0.0;
        for (const ComparisonMeasurement& c : comparisons) {
            const double deviation = c.catalogue + targetInstrumental - c.instrumental - magnitude;
            scatter += deviation * deviation / (targetVariance + c.error * c.error);
        }
        zeroPoint = std::max(zeroPoint, scatter / (static_cast<double>(comparisons.size() - 1) * weights));
    }
    return { magnitude, std::sqrt(targetVariance + zeroPoint) };
}

std::optional<EnsembleEstimate> EnsembleOf(const ResultLine& line, const StarValue& target, const Ensemble& ensemble)
{
    if (!target.instrumental)
        return std::nullopt;
    EnsembleEstimate result;
    std::vector<ComparisonMeasurement> measured;
    for (const ComparisonStar& comparison : ensemble) {
        if (comparison.slot == target.slot)
            continue;
        const auto star = std::find_if(
            line.stars.begin(), line.stars.end(), [&](const StarValue& s) { return s.slot == comparison.slot; });
        // A comparison without an error can't be weighted.
        if (star == line.stars.end() || star->status != MeasureStatus::Ok || !star->instrumental
            || !(star->error > 0.0F))
            continue;
        measured.push_back({ comparison.catalogue, *star->instrumental, star->error });
        result.used.push_back(comparison);
    }
    if (measured.empty())
        return std::nullopt;
    result.estimate = EnsembleMagnitude(*target.instrumental, target.error, measured);
    return result;
}

std::optional<MagnitudeEstimate> ShownMagnitude(const ResultLine& line, const StarValue& star, const Ensemble& ensemble)
{
    if (!ensemble.empty()) {
        const auto estimate = EnsembleOf(line, star, ensemble);
        return estimate ? std::optional(estimate->estimate) : std::nullopt;
    }
    if (!star.magnitude)
        return std::nullopt;
    return MagnitudeEstimate { *star.magnitude, star.magnitudeError };
}

} // namespace lumvane
