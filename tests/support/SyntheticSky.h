#pragma once

#include "core/image/ImagePlane.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumvane::test {

/// Stores a physical count (clamped to 0..65534) in pixel (x, y).
inline void SetPhysical(ImagePlane& img, int x, int y, int physical)
{
    img.At(x, y) = static_cast<std::int16_t>(std::clamp(physical, 0, 65534) - kPhysicalOffset);
}

/// A W x H image whose every pixel holds the same physical count.
inline ImagePlane UniformImage(int width, int height, int physical)
{
    ImagePlane img(width, height);
    for (int y = 1; y <= height; ++y)
        for (int x = 1; x <= width; ++x)
            SetPhysical(img, x, y, physical);
    return img;
}

/// The counts a star of total `flux` with a Gaussian profile of `sigma`
/// pixels gives at (dx, dy) from its centre.
inline double GaussianStar(double dx, double dy, double flux, double sigma)
{
    return flux / (2.0 * std::numbers::pi * sigma * sigma) * std::exp(-(dx * dx + dy * dy) / (2.0 * sigma * sigma));
}

/// Adds a star of total `flux` with a Gaussian profile centred on (cx, cy),
/// out to 8 sigma, beyond which it adds nothing a count can hold.
inline void AddStar(ImagePlane& img, double cx, double cy, double flux, double sigma)
{
    const int reach = static_cast<int>(std::ceil(8.0 * sigma));
    const int left = std::max(1, static_cast<int>(cx) - reach);
    const int right = std::min(img.Width(), static_cast<int>(cx) + reach);
    for (int y = std::max(1, static_cast<int>(cy) - reach); y <= std::min(img.Height(), static_cast<int>(cy) + reach);
         ++y)
        for (int x = left; x <= right; ++x) {
            const double value = GaussianStar(x - cx, y - cy, flux, sigma);
            SetPhysical(img, x, y, Physical(img.At(x, y)) + static_cast<int>(std::lround(value)));
        }
}

} // namespace lumvane::test
