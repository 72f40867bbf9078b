#include "core/results/ExportText.h"

#include <charconv>

namespace lumvane {

std::string FixedText(double value, int decimals)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

std::string ShortestText(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string ShortestText(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string FileNameText(const std::string& listedName)
{
    const auto end = listedName.find_last_not_of(' ');
    if (end == std::string::npos)
        return {};
    const auto separator = listedName.find_last_of("/\\", end);
    const auto start = separator == std::string::npos ? 0 : separator + 1;
    return listedName.substr(start, end + 1 - start);
}

} // namespace lumvane
