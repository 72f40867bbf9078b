#include "core/notes/HeaderCards.h"

namespace lumvane {

std::string HeaderCardLines(std::string_view headerText)
{
    std::string lines;
    lines.reserve(headerText.size() + headerText.size() / kHeaderCardLength + 1);
    for (std::size_t start = 0; start < headerText.size(); start += kHeaderCardLength) {
        lines += headerText.substr(start, kHeaderCardLength);
        lines += '\n';
    }
    return lines;
}

} // namespace lumvane
