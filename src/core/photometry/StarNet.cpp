#include "core/photometry/StarNet.h"

#include <cmath>

namespace lumvane {

std::optional<float> NetCounts(const ApertureSum& diaphragm, const ApertureSum& annulus)
{
    if (annulus.pixels == 0)
        return std::nullopt;
    const float perPixel = static_cast<float>(annulus.sum) / static_cast<float>(annulus.pixels);
    return static_cast<float>(diaphragm.sum) - perPixel * static_cast<float>(diaphragm.pixels);
}

std::optional<float> MagnitudeError(const ApertureSum& diaphragm, const ApertureSum& annulus, float net)
{
    if (annulus.pixels == 0 || net == 0.0F)
        return std::nullopt;
    const auto annulusPixels = static_cast<double>(annulus.pixels);
    const auto diaphragmPixels = static_cast<double>(diaphragm.pixels);
    const double perPixel = static_cast<double>(annulus.sum) / annulusPixels;
    const double variance
        = static_cast<double>(diaphragm.sum) + 2.0 * perPixel * diaphragmPixels * diaphragmPixels / annulusPixels;
    const double ratio = 1.0 + std::sqrt(variance) / static_cast<double>(net);
    if (!(ratio > 0.0) || !std::isfinite(ratio))
        return std::nullopt;
    return static_cast<float>(2.5 * std::log10(ratio));
}

} // namespace lumvane
