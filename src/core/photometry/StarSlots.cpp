#include "core/photometry/StarSlots.h"

#include "core/common/NumberText.h"
#include "core/common/NumericValue.h"
#include "core/common/Rounding.h"

namespace lumvane {
namespace {

constexpr Rgb kSt1Colour { 255, 255, 0 };
constexpr Rgb kComparisonColour { 0, 255, 255 };
constexpr Rgb kVariableColour { 255, 0, 255 };
constexpr int kFirstVariable = 19;

} // namespace

std::string StarLabel(int slot)
{
    if (slot == 0)
        return "St1";
    if (slot < kFirstVariable)
        return "St" + NumberText(slot + 1);
    return "Var" + NumberText(slot - kFirstVariable + 1);
}

Rgb StarLabelColour(int slot)
{
    if (slot == 0)
        return kSt1Colour;
    return slot < kFirstVariable ? kComparisonColour : kVariableColour;
}

ViewPoint StarLabelPosition(float centreX, float centreY)
{
    return { static_cast<double>(centreX) - 10.0, static_cast<double>(centreY) + 22.0 };
}

StarRecord StarRecordOf(const LastStar& last, const std::array<std::string, kClickDiaphragms>& radiusTexts)
{
    StarRecord record;
    record.centreX = last.centreX;
    record.centreY = last.centreY;
    record.net = last.net;
    record.error = last.error;
    for (std::size_t k = 0; k < radiusTexts.size(); ++k)
        record.radius[k] = ToSingle(NumericValue(radiusTexts[k]));
    return record;
}

} // namespace lumvane
