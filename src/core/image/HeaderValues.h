#pragma once

#include <cstdint>
#include <string>

namespace lumvane {

/// @brief The values of the most recent FITS header read, whatever its plane.
struct HeaderValues {
    std::int16_t bitpix = 0;
    std::int16_t naxis1 = 0;
    std::int16_t naxis2 = 0;
    float bzero = 0.0F; ///< 0 when the header lacks it
    float bscale = 0.0F; ///< 1 when the header lacks it or gives 0
    std::int16_t exposure = 0; ///< whole seconds (EXPTIME, else EXPOSURE, else ITIME)
    float temperature = 0.0F; ///< TEMPERAT, else CCD-TEMP
    std::string date; ///< 8 characters, or 10 for an ISO date "YYYY-MM-DD"
    std::string time; ///< exactly 8 characters
    std::string history; ///< 10 characters taken from the first HISTORY card
    std::string filter; ///< 10 characters: the FILTER card's quoted text, else its columns 12..21
    /// The header blocks as read, padded with blanks to at least 5760 characters.
    std::string headerText;
};

} // namespace lumvane
