#include "core/common/NumericValue.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace lumvane {
namespace {

bool IsSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double NumericValue(std::string_view text)
{
    // The number is gathered without the skipped characters, then converted by
    // strtod in the "C" form it is sure to understand.
    std::string number;
    std::size_t i = 0;
    const auto skip = [&] {
        while (i < text.size() && IsSkipped(text[i]))
            ++i;
    };
    const auto take = [&](auto accepts) {
        bool any = false;
        for (skip(); i < text.size() && accepts(text[i]); skip()) {
            number += text[i++];
            any = true;
        }
        return any;
    };

    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    bool digits = take(IsDigit);
    skip();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        digits = take(IsDigit) || digits;
    }
    if (!digits)
        return 0.0;

    skip();
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        while (j < text.size() && IsSkipped(text[j]))
            ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        bool exponentDigits = false;
        for (; j < text.size() && (IsDigit(text[j]) || IsSkipped(text[j])); ++j) {
            if (IsDigit(text[j])) {
                exponent += text[j];
                exponentDigits = true;
            }
        }
        if (exponentDigits)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

std::optional<double> TypedNumber(std::string_view text)
{
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return std::nullopt;
    return NumericValue(text);
}

} // namespace lumvane
