#include "core/common/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lumvane {
namespace {

// Writes |value| with `digits` significant digits in the program's plain or
// exponent form; the sign is the caller's.
std::string MagnitudeText(double magnitude, int digits, int plainExponentLimit)
{
    if (magnitude == 0.0)
        return "0";
    if (!std::isfinite(magnitude))
        return std::isnan(magnitude) ? "NaN" : "Inf";

    // %e rounds to the requested digits once; its mantissa and exponent are exact.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, magnitude);
    std::string mantissa;
    for (const char* p = buffer; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa += *p;
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    if (exponent <= -5 || exponent >= plainExponentLimit) {
        if (mantissa.size() > 1)
            mantissa.insert(1, 1, '.');
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return mantissa.append(exponentText);
    }
    if (exponent < 0)
        return mantissa.insert(0, static_cast<std::size_t>(-exponent - 1), '0').insert(0, 1, '.');
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= integerDigits)
        return mantissa.append(integerDigits - mantissa.size(), '0');
    return mantissa.insert(integerDigits, 1, '.');
}

std::string SignedText(double value, int digits, int plainExponentLimit)
{
    return MagnitudeText(std::fabs(value), digits, plainExponentLimit).insert(0, 1, value < 0.0 ? '-' : ' ');
}

} // namespace

std::string NumberText(float value)
{
    return SignedText(static_cast<double>(value), 7, 7);
}

std::string NumberText(double value)
{
    return SignedText(value, 15, 15);
}

std::string NumberText(std::int64_t value)
{
    return value < 0 ? std::to_string(value) : std::to_string(value).insert(0, 1, ' ');
}

std::string PlainNumberText(const std::string& numberText)
{
    return !numberText.empty() && numberText.front() == ' ' ? numberText.substr(1) : numberText;
}

} // namespace lumvane
