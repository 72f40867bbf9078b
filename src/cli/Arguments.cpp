#include "cli/Arguments.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace lumvane::cli {

std::optional<double> ParseNumber(const std::string& text)
{
    // The program's numbers are decimal: strtod's hexadecimal form is none.
    if (text.empty() || text.find_first_of("xX") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::vector<double>> ParseNumberList(const std::string& text)
{
    std::vector<double> values;
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        const auto value = ParseNumber(item);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    if (values.empty() || (!text.empty() && text.back() == ','))
        return std::nullopt;
    return values;
}

std::optional<Point> ParsePoint(const std::string& text)
{
    const auto values = ParseNumberList(text);
    if (!values || values->size() != 2)
        return std::nullopt;
    return Point { (*values)[0], (*values)[1] };
}

bool AsksForHelp(const std::vector<std::string>& args)
{
    return std::any_of(args.begin(), args.end(), [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

std::string OptionLines(const std::vector<OptionText>& options)
{
    const auto shown = [](const OptionText& option) {
        return std::string(option.name) + (option.value.empty() ? "" : " ") + std::string(option.value);
    };
    std::size_t width = 0;
    for (const OptionText& option : options)
        width = std::max(width, shown(option).size());
    std::string lines;
    for (const OptionText& option : options) {
        std::string line = shown(option);
        line.resize(width + 2, ' ');
        std::istringstream help { std::string(option.help) };
        for (std::string helpLine; std::getline(help, helpLine); line = std::string(width + 2, ' '))
            lines += "  " + line + helpLine + '\n';
    }
    return lines;
}

} // namespace lumvane::cli
