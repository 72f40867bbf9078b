#include "core/results/LightCurve.h"

#include "core/results/JulianDate.h"
#include "core/results/ResultValues.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumvane {
namespace {

// The least room between two tick labels, pixels.
constexpr double kXTickSpacing = 70.0;
constexpr double kYTickSpacing = 28.0;
// Points are kept off the frame by this part of the range on each side.
constexpr double kPadding = 0.03;

int TickCount(double pixels, double spacing)
{
    return std::max(2, static_cast<int>(pixels / spacing));
}

/// Where `value` lies between low and high, 0..1.
double Fraction(const PlotAxis& axis, double value)
{
    return (value - axis.low) / (axis.high - axis.low);
}

} // namespace

LightCurve LightCurveOf(const ResultsTable& table, const FileList& recorded, const ResultsFileSettings& settings,
    int diaphragm, const Ensemble& ensemble)
{
    const FileList files = recorded.ImageFiles();
    LightCurve curve;
    std::vector<std::optional<double>> jd(static_cast<std::size_t>(std::max(files.CurrentFile(), 0)) + 1);
    curve.byJulianDate = files.CurrentFile() > 0;
    for (int f = 1; f <= files.CurrentFile(); ++f) {
        jd[static_cast<std::size_t>(f)] = MidExposureJulianDate(files.Entry(f));
        curve.byJulianDate = curve.byJulianDate && jd[static_cast<std::size_t>(f)].has_value();
    }
    for (const ResultLine& line : ResultLines(table, files, settings)) {
        if (line.diaphragm != diaphragm)
            continue;
        if (curve.series.empty()) {
            for (const StarValue& star : line.stars)
                curve.series.push_back({ star.slot, {} });
        }
        for (std::size_t s = 0; s < line.stars.size(); ++s) {
            const StarValue& star = line.stars[s];
            const auto shown = star.Measured() ? ShownMagnitude(line, star, ensemble) : std::nullopt;
            if (!shown)
                continue;
            const double x = curve.byJulianDate ? *jd[static_cast<std::size_t>(line.file)] : line.file;
            curve.series[s].points.push_back({ line.file, x, shown->magnitude, std::max(0.0, shown->error),
                star.status == MeasureStatus::Saturated });
        }
    }
    return curve;
}

double LightCurveLayout::PixelX(double x) const
{
    return left + Fraction(xAxis, x - xOrigin) * (right - left);
}

double LightCurveLayout::PixelY(double magnitude) const
{
    return top + Fraction(yAxis, magnitude) * (bottom - top);
}

LightCurveLayout LayoutLightCurve(const LightCurve& curve, int width, int height, const PlotMargins& margins)
{
    double xMin = std::numeric_limits<double>::infinity();
    double xMax = -xMin;
    double yMin = xMin;
    double yMax = -xMin;
    for (const LightCurveSeries& series : curve.series)
        for (const LightCurvePoint& point : series.points) {
            xMin = std::min(xMin, point.x);
            xMax = std::max(xMax, point.x);
            yMin = std::min(yMin, point.magnitude - point.error);
            yMax = std::max(yMax, point.magnitude + point.error);
        }
    if (xMin > xMax) {
        xMin = xMax = 1.0;
        yMin = yMax = 0.0;
    }

    LightCurveLayout layout;
    layout.left = margins.left;
    layout.top = margins.top;
    layout.right = std::max(layout.left + 1.0, width - margins.right);
    layout.bottom = std::max(layout.top + 1.0, height - margins.bottom);
    layout.xOrigin = curve.byJulianDate ? std::floor(xMin) : 0.0;
    const double xPad = (xMax - xMin) * kPadding;
    const double yPad = (yMax - yMin) * kPadding;
    layout.xAxis = NiceAxis(xMin - xPad - layout.xOrigin, xMax + xPad - layout.xOrigin,
        TickCount(layout.right - layout.left, kXTickSpacing));
    layout.yAxis = NiceAxis(yMin - yPad, yMax + yPad, TickCount(layout.bottom - layout.top, kYTickSpacing));
    return layout;
}

std::optional<std::pair<std::size_t, std::size_t>> NearestPoint(
    const LightCurve& curve, const LightCurveLayout& layout, double px, double py, double radius)
{
    std::optional<std::pair<std::size_t, std::size_t>> nearest;
    double best = radius * radius;
    for (std::size_t s = 0; s < curve.series.size(); ++s) {
        const auto& points = curve.series[s].points;
        for (std::size_t p = 0; p < points.size(); ++p) {
            const double dx = layout.PixelX(points[p].x) - px;
            const double dy = layout.PixelY(points[p].magnitude) - py;
            if (dx * dx + dy * dy <= best) {
                best = dx * dx + dy * dy;
                nearest = { s, p };
            }
        }
    }
    return nearest;
}

} // namespace lumvane
