#include "core/display/WindowLayout.h"

namespace lumvane {

WindowLayout MainWindowLayout(PixelSize screen)
{
    const float widthTwips = static_cast<float>(screen.width) * kTwipsPerPixel;
    const float heightTwips = static_cast<float>(screen.height) * kTwipsPerPixel;
    WindowLayout layout;
    layout.windowWidth = widthTwips / kTwipsPerPixel;
    layout.windowHeight = (heightTwips - 500.0F) / kTwipsPerPixel;
    layout.tabPanelLeft = 584.0F - (12000.0F - widthTwips) / kTwipsPerPixel;
    return layout;
}

} // namespace lumvane
