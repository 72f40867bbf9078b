#pragma once

#include "core/image/FileList.h"

#include <optional>
#include <string>
#include <string_view>

namespace lumvane {

/// @brief The target's position from a FITS header: RA and DEC, else OBJCTRA
/// and OBJCTDEC (the first card of a name counts; the header ends at END).
///
/// A number is degrees for both; a quoted text is sexagesimal, hours for RA
/// ("05 34 31.94", "05:34:31.94") and degrees for Dec ("+22 00 52.2",
/// "-00:30:00"), or degrees when it holds a single number. Nothing when a
/// pair is incomplete or out of range (RA 0..360 degrees, Dec -90..90).
std::optional<SkyPosition> HeaderTargetPosition(std::string_view headerText);

/// @brief The FILTER card's value without its blanks ("V", "CV"); empty when
/// the header has no FILTER card or a blank one.
std::string HeaderFilterName(std::string_view headerText);

/// @brief The airmass of the observation from a FITS header: AIRMASS, else
/// SECZ, a number of 1 or more (quoted or not). Nothing without one.
std::optional<double> HeaderAirmass(std::string_view headerText);

} // namespace lumvane
