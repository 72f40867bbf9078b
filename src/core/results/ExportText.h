#pragma once

#include <string>

namespace lumvane {

/// @brief A number with a fixed count of decimals, "." whatever the locale
/// ("2451545.00000", "-7.500").
std::string FixedText(double value, int decimals);

/// @brief The shortest text that reads back as the same single-precision value
/// ("10000", "0.0123", "1e+10").
std::string ShortestText(float value);
/// @brief The shortest text that reads back as the same double ("11.03", "3.2e-12").
std::string ShortestText(double value);

/// @brief A file's name as the exports show it: of the last 12 characters of
/// its path that the lists keep, those after the last folder separator,
/// without the padding blanks.
std::string FileNameText(const std::string& listedName);

} // namespace lumvane
