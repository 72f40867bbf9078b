#include "core/display/WindowLayout.h"

namespace lumvane {

WindowLayout MainWindowLayout(ScreenSize screen)
{
    const float widthTwips = static_cast<float>(screen.width) * kTwipsPerPixel;
    const float heightTwips = static_cast<float>(screen.height) * kTwipsPerPixel;
    WindowLayout layout;
    layout.windowWidth = widthTwips / kTwipsPerPixel;
    layout.windowHeight = (heightTwips - 500.0F) / kTwipsPerPixel;
    layout.tabPanelLeft = 584.0F - (12000.0F - widthTwips) / kTwipsPerPixel;
    layout.verticalBarLeft = 552.0F - (12000.0F - widthTwips) / kTwipsPerPixel;
    // Measured from the screen height against the design width of 12000 twips.
    layout.horizontalBarTop = 488.0F - (12000.0F - heightTwips) / kTwipsPerPixel;
    return layout;
}

ViewPoint DraggedPanelPosition(ViewPoint panel, ViewPoint pressPoint, ViewPoint pointer)
{
    return { panel.x + (pointer.x - pressPoint.x) / 10.0, panel.y + (pointer.y - pressPoint.y) / 10.0 };
}

} // namespace lumvane
