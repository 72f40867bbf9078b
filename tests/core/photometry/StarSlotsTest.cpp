#include "core/photometry/StarSlots.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(StarSlots, LabelsAndKinds)
{
    const struct {
        int slot;
        const char* label;
        StarKind kind;
    } cases[] = {
        { 0, "St1", StarKind::St1 },
        { 1, "St 2", StarKind::Comparison },
        { 5, "St 6", StarKind::Comparison },
        { 8, "St 9", StarKind::Comparison },
        { 9, "St 10", StarKind::Comparison },
        { 18, "St 19", StarKind::Comparison },
        { 19, "Var 1", StarKind::Variable },
        { 22, "Var 4", StarKind::Variable },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(StarLabel(c.slot), c.label);
        EXPECT_EQ(StarKindOf(c.slot), c.kind);
    }
}

TEST(StarSlots, LabelSitsTenColumnsLeftAnd22RowsAboveTheCentre)
{
    EXPECT_EQ(StarLabelPosition(30.0F, 40.0F), (ViewPoint { 20.0, 62.0 }));
    EXPECT_EQ(StarLabelPosition(5.5F, 0.25F), (ViewPoint { -4.5, 22.25 }));
}

} // namespace
} // namespace lumvane
