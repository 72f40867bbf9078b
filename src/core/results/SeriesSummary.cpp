#include "core/results/SeriesSummary.h"

#include "core/photometry/StarSlots.h"
#include "core/results/ExportText.h"
#include "core/results/ResultValues.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace lumvane {
namespace {

constexpr char kNotAvailable[] = "na";

/// Q(a, x) by its series for P (x < a + 1) or Lentz's continued fraction.
double UpperGammaQ(double a, double x)
{
    constexpr int kMaxTerms = 500;
    constexpr double kEpsilon = 1e-15;
    constexpr double kTiny = 1e-300;
    if (x <= 0.0)
        return 1.0;
    const double front = std::exp(a * std::log(x) - x - std::lgamma(a));
    if (x < a + 1.0) {
        double term = 1.0 / a;
        double sum = term;
        for (int n = 1; n < kMaxTerms && std::abs(term) > std::abs(sum) * kEpsilon; ++n) {
            term *= x / (a + n);
            sum += term;
        }
        return 1.0 - sum * front;
    }
    double b = x + 1.0 - a;
    double c = 1.0 / kTiny;
    double d = 1.0 / b;
    double fraction = d;
    for (int n = 1; n < kMaxTerms; ++n) {
        const double an = -n * (n - a);
        b += 2.0;
        d = an * d + b;
        d = std::abs(d) < kTiny ? kTiny : d;
        c = b + an / c;
        c = std::abs(c) < kTiny ? kTiny : c;
        d = 1.0 / d;
        const double step = d * c;
        fraction *= step;
        if (std::abs(step - 1.0) < kEpsilon)
            break;
    }
    return fraction * front;
}

/// The statistics of a star's magnitudes and their errors.
void Describe(StarSummary& summary, const std::vector<MagnitudeEstimate>& values)
{
    const auto n = static_cast<double>(values.size());
    summary.points = static_cast<int>(values.size());
    if (values.empty())
        return;
    double sum = 0.0;
    double errors = 0.0;
    double weights = 0.0;
    double weighted = 0.0;
    bool weighable = true;
    for (const MagnitudeEstimate& v : values) {
        sum += v.magnitude;
        errors += v.error;
        weighable = weighable && v.error > 0.0;
        if (weighable) {
            weights += 1.0 / (v.error * v.error);
            weighted += v.magnitude / (v.error * v.error);
        }
    }
    summary.mean = sum / n;
    summary.meanError = errors / n;
    if (values.size() < 2)
        return;
    double squares = 0.0;
    double chiSquare = 0.0;
    for (const MagnitudeEstimate& v : values) {
        squares += (v.magnitude - *summary.mean) * (v.magnitude - *summary.mean);
        if (weighable)
            chiSquare += std::pow((v.magnitude - weighted / weights) / v.error, 2);
    }
    summary.scatter = std::sqrt(squares / (n - 1.0));
    if (!weighable)
        return;
    summary.reducedChiSquare = chiSquare / (n - 1.0);
    summary.constantProbability = ChiSquareProbability(chiSquare, summary.points - 1);
    summary.varies = *summary.constantProbability < kConstantProbabilityLimit;
}

std::string Number(const std::optional<double>& value, int decimals)
{
    return value ? FixedText(*value, decimals) : kNotAvailable;
}

} // namespace

double ChiSquareProbability(double chiSquare, int degrees)
{
    return UpperGammaQ(degrees / 2.0, chiSquare / 2.0);
}

std::vector<StarSummary> SeriesSummary(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, const Ensemble& ensemble)
{
    // Per (diaphragm, star index): the summary and the values it describes.
    std::map<std::pair<int, std::size_t>, std::pair<StarSummary, std::vector<MagnitudeEstimate>>> stars;
    for (const ResultLine& line : ResultLines(table, files.ImageFiles(), settings)) {
        for (std::size_t s = 0; s < line.stars.size(); ++s) {
            const StarValue& star = line.stars[s];
            auto& [summary, values] = stars[{ line.diaphragm, s }];
            summary.slot = star.slot;
            summary.diaphragm = line.diaphragm;
            summary.radius = line.radius;
            summary.measured += star.status == MeasureStatus::Ok ? 1 : 0;
            summary.saturated += star.status == MeasureStatus::Saturated ? 1 : 0;
            summary.unmeasured += star.Measured() ? 0 : 1;
            if (star.status != MeasureStatus::Ok)
                continue;
            if (const auto shown = ShownMagnitude(line, star, ensemble))
                values.push_back(*shown);
        }
    }
    std::vector<StarSummary> summary;
    for (auto& [key, star] : stars) {
        Describe(star.first, star.second);
        summary.push_back(star.first);
    }
    // Star by star, each with its diaphragms.
    std::stable_sort(
        summary.begin(), summary.end(), [](const StarSummary& a, const StarSummary& b) { return a.slot < b.slot; });
    return summary;
}

std::string SeriesSummaryCsvText(const std::vector<StarSummary>& summary)
{
    std::string text = "Star,Radius,Measured,Saturated,Unmeasured,Mean magnitude,Scatter,Mean error,"
                       "Reduced chi-square,Constant probability,Varies\r\n";
    for (const StarSummary& star : summary) {
        const auto probability
            = star.constantProbability ? ShortestText(*star.constantProbability) : std::string(kNotAvailable);
        text += StarLabel(star.slot) + ',' + ShortestText(star.radius) + ',' + std::to_string(star.measured) + ','
            + std::to_string(star.saturated) + ',' + std::to_string(star.unmeasured) + ',' + Number(star.mean, 4) + ','
            + Number(star.scatter, 4) + ',' + Number(star.meanError, 4) + ',' + Number(star.reducedChiSquare, 3) + ','
            + probability + ',' + (star.varies ? "yes" : "no") + "\r\n";
    }
    return text;
}

} // namespace lumvane
