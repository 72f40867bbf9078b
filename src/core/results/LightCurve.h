#pragma once

#include "core/common/PlotAxis.h"
#include "core/image/FileList.h"
#include "core/results/Ensemble.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <optional>
#include <vector>

namespace lumvane {

/// @brief One measurement of a star on the light curve.
struct LightCurvePoint {
    int file = 0;
    double x = 0.0; ///< the mid-exposure JD, or the file number
    double magnitude = 0.0; ///< as ShownMagnitude gives it
    double error = 0.0; ///< the magnitude's error, 0 or more
    bool saturated = false; ///< a pixel of the diaphragm at the top of the range: a lower limit of brightness
};

/// @brief The points of one star slot, in file order.
struct LightCurveSeries {
    int slot = 0;
    std::vector<LightCurvePoint> points;
};

/// @brief What the light curve plots for one diaphragm.
struct LightCurve {
    /// True when every file has a mid-exposure JD; otherwise every point is
    /// placed at its file number, so that one axis serves them all.
    bool byJulianDate = false;
    /// One series per star the results file holds, in slot order.
    std::vector<LightCurveSeries> series;
};

/// @brief The light curve of diaphragm `diaphragm` (0..3): for every saved
/// star its magnitude (ShownMagnitude: the results file's, or the ensemble's
/// of `ensemble`) on each file where it was measured, saturated or not, and
/// the magnitude has a value, at its image's own time and exposure
/// (FileList::ImageFiles). No series when the diaphragm's box holds no radius.
LightCurve LightCurveOf(const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings,
    int diaphragm, const Ensemble& ensemble);

/// @brief Where the light curve goes in a plot of `width` x `height` pixels
/// (origin at the top left, y growing downward).
struct LightCurveLayout {
    PlotAxis xAxis;
    PlotAxis yAxis; ///< magnitudes: `low` (the brightest) at the top
    /// The axes' rectangle in pixels.
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    /// Whole days taken from the JD axis's labels (0 for file numbers).
    double xOrigin = 0.0;

    double PixelX(double x) const;
    /// Brighter magnitudes higher up, as astronomers draw them.
    double PixelY(double magnitude) const;
};

/// @brief Room around the axes' rectangle, pixels: for the tick labels and
/// axis titles, and on the right for the legend.
struct PlotMargins {
    double left = 56.0;
    double top = 12.0;
    double right = 12.0;
    double bottom = 36.0;
};

/// @brief The axes and their rectangle for a curve inside `margins`, error
/// bars inside the range.
LightCurveLayout LayoutLightCurve(const LightCurve& curve, int width, int height, const PlotMargins& margins = {});

/// @brief The point nearest to pixel (px, py) within `radius` pixels, as
/// (series index, point index).
std::optional<std::pair<std::size_t, std::size_t>> NearestPoint(
    const LightCurve& curve, const LightCurveLayout& layout, double px, double py, double radius);

} // namespace lumvane
