#include "core/image/HeaderTarget.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace lumvane {
namespace {

constexpr std::size_t kCardBytes = 80;

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

/// A card's value: the quoted text, or the text before a comment.
struct CardValue {
    std::string_view text;
    bool quoted = false;
};

std::optional<CardValue> FindValue(std::string_view header, std::string_view keyword)
{
    for (std::size_t at = 0; at + kCardBytes <= header.size(); at += kCardBytes) {
        const auto card = header.substr(at, kCardBytes);
        const auto name = Trimmed(card.substr(0, 8));
        if (name == "END")
            return std::nullopt;
        if (name != keyword || card.substr(8, 2) != "= ")
            continue;
        const auto value = card.substr(10);
        const auto start = value.find_first_not_of(' ');
        if (start != std::string_view::npos && value[start] == '\'') {
            const auto close = value.find('\'', start + 1);
            return CardValue {
                Trimmed(value.substr(start + 1, close == std::string_view::npos ? close : close - start - 1)), true
            };
        }
        return CardValue { Trimmed(value.substr(0, value.find('/'))), false };
    }
    return std::nullopt;
}

std::optional<double> Number(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

/// "dd mm ss.s" or "dd:mm:ss.s" (two or three parts) in units of its first
/// part; a single number as it stands. The sign of the first part signs the
/// whole ("-00 30 00" is -0.5).
std::optional<double> Sexagesimal(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto start = text.find_first_not_of(" :", at);
        if (start == std::string_view::npos)
            break;
        const auto end = text.find_first_of(" :", start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        at = end == std::string_view::npos ? text.size() : end;
    }
    if (parts.empty() || parts.size() > 3)
        return std::nullopt;
    const bool negative = parts.front().front() == '-';
    double value = 0.0;
    double unit = 1.0;
    for (std::size_t i = 0; i < parts.size(); ++i, unit /= 60.0) {
        auto part = parts[i];
        if (i == 0 && (part.front() == '-' || part.front() == '+'))
            part.remove_prefix(1);
        const auto number = Number(part);
        if (!number || *number < 0.0 || (i > 0 && *number >= 60.0))
            return std::nullopt;
        value += *number * unit;
    }
    return negative ? -value : value;
}

/// A card's angle in degrees; a quoted sexagesimal RA is in hours.
std::optional<double> Degrees(const CardValue& value, bool rightAscension)
{
    if (!value.quoted)
        return Number(value.text);
    const bool sexagesimal = value.text.find_first_of(" :") != std::string_view::npos;
    const auto angle = Sexagesimal(value.text);
    if (!angle)
        return std::nullopt;
    return sexagesimal && rightAscension ? *angle * 15.0 : *angle;
}

std::optional<SkyPosition> PositionFrom(std::string_view header, std::string_view raKey, std::string_view decKey)
{
    const auto raValue = FindValue(header, raKey);
    const auto decValue = FindValue(header, decKey);
    if (!raValue || !decValue)
        return std::nullopt;
    const auto ra = Degrees(*raValue, true);
    const auto dec = Degrees(*decValue, false);
    if (!ra || !dec || *ra < 0.0 || *ra >= 360.0 || *dec < -90.0 || *dec > 90.0)
        return std::nullopt;
    return SkyPosition { *ra, *dec };
}

} // namespace

std::optional<SkyPosition> HeaderTargetPosition(std::string_view headerText)
{
    if (const auto position = PositionFrom(headerText, "RA", "DEC"))
        return position;
    return PositionFrom(headerText, "OBJCTRA", "OBJCTDEC");
}

std::string HeaderFilterName(std::string_view headerText)
{
    const auto value = FindValue(headerText, "FILTER");
    return value ? std::string(value->text) : std::string();
}

std::optional<double> HeaderAirmass(std::string_view headerText)
{
    for (const std::string_view keyword : { "AIRMASS", "SECZ" }) {
        const auto value = FindValue(headerText, keyword);
        if (const auto airmass = value ? Number(value->text) : std::nullopt)
            // No line of sight is shorter than the zenith's.
            return *airmass >= 1.0 ? airmass : std::nullopt;
    }
    return std::nullopt;
}

} // namespace lumvane
