#pragma once

#include "core/photometry/Aperture.h"

#include <optional>

namespace lumvane {

/// @brief Net counts of a star: sum - (background / annulusPixels) x
/// diaphragmPixels, in single precision.
///
/// `diaphragm` and `annulus` come from one DiaphragmSum and one
/// AnnulusBackground at the same centre. Nothing when the annulus has no
/// pixels.
std::optional<float> NetCounts(const ApertureSum& diaphragm, const ApertureSum& annulus);

/// @brief The magnitude error 2.5 log10(1 + sigma / net), with
/// sigma = sqrt(sum + 2 (background / annulusPixels) diaphragmPixels² / annulusPixels).
///
/// `net` is the star's net counts as its centring defines them. Nothing when
/// the formula has no value: no annulus pixels, net counts of 0, or
/// 1 + sigma / net not above 0.
std::optional<float> MagnitudeError(const ApertureSum& diaphragm, const ApertureSum& annulus, float net);

} // namespace lumvane
