#include "core/photometry/StarSlots.h"

#include "core/common/NumberText.h"

namespace lumvane {

StarKind StarKindOf(int slot)
{
    if (slot == 0)
        return StarKind::St1;
    return slot < kVar1Slot ? StarKind::Comparison : StarKind::Variable;
}

std::string StarLabel(int slot)
{
    switch (StarKindOf(slot)) {
    case StarKind::St1:
        return "St1";
    case StarKind::Comparison:
        return "St" + NumberText(slot + 1);
    case StarKind::Variable:
        return "Var" + NumberText(slot - kVar1Slot + 1);
    }
    return {};
}

ViewPoint StarLabelPosition(float centreX, float centreY)
{
    return { static_cast<double>(centreX) - 10.0, static_cast<double>(centreY) + 22.0 };
}

} // namespace lumvane
