#include "core/profile/ProfileDataFile.h"

#include "core/common/NumberText.h"

#include <cmath>

namespace lumvane {
namespace {

constexpr std::size_t kPrintZone = 14;

/// A number's text followed by the blank that closes it.
void AppendPrinted(std::string& line, const std::string& numberText)
{
    line += numberText;
    line += ' ';
}

} // namespace

float FlooredToTenths(float value)
{
    const float tenths = std::floor(10.0f * value); // single precision, as the program multiplies
    return tenths / 10.0f;
}

std::string ProfileDataText(std::span<const float> values)
{
    std::string text;
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        line.clear();
        AppendPrinted(line, NumberText(static_cast<std::int64_t>(i + 1)));
        // On to the start of the next print zone.
        const std::size_t zoneEnd = (line.size() + kPrintZone - 1) / kPrintZone * kPrintZone;
        line.append(zoneEnd - line.size(), ' ');
        AppendPrinted(line, NumberText(FlooredToTenths(values[i])));
        line += "\r\n";
        text += line;
    }
    return text;
}

} // namespace lumvane
