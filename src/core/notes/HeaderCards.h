#pragma once

#include <string>
#include <string_view>

namespace lumvane {

/// Characters in one FITS header card.
inline constexpr std::size_t kHeaderCardLength = 80;

/// @brief A stored header as lines of text: each 80-character card, blanks
/// included, followed by a line break (LF), so that it reads one card per line
/// in the notes. A last card shorter than 80 characters is shown as it is.
std::string HeaderCardLines(std::string_view headerText);

} // namespace lumvane
