#pragma once

#include "core/image/FileList.h"

#include <optional>

namespace lumvane {

/// @brief The Julian Date of a UTC calendar time (Gregorian calendar):
/// 2000-01-01 12:00:00 is 2451545.0. Nothing for a date that does not exist
/// (a month outside 1..12, 30 February).
std::optional<double> JulianDate(const UtcTime& time);

/// @brief The file's mid-exposure time as a Julian Date (UTC): its observation
/// start plus half its exposure. Nothing when the header gave no usable date
/// and time.
std::optional<double> MidExposureJulianDate(const FileEntry& entry);

/// @brief The heliocentric Julian Date of a light arrival at the Earth's centre
/// at `julianDate`, from a target at `target` (equinox J2000): the date plus
/// the light time from the Earth to the plane through the Sun square to the
/// target's direction.
///
/// The Sun's place comes from the low-precision formulae of the Astronomical
/// Almanac (0.01 degree within 1950..2050), referred to J2000 by the general
/// precession; the result is good to about a second.
double HeliocentricJulianDate(double julianDate, const SkyPosition& target);

} // namespace lumvane
