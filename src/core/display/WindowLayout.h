#pragma once

#include "core/display/ViewCoordinates.h"
#include "core/display/ViewLayout.h"

namespace lumvane {

/// @brief The main window's size and the three positions set at start-up, in
/// pixels of the window's client area (fractions kept; the toolkit rounds).
struct WindowLayout {
    double windowWidth = 0.0; ///< the screen width
    double windowHeight = 0.0; ///< the screen height less 500 twips
    double tabPanelLeft = 0.0; ///< screen width - 216
    double verticalBarLeft = 0.0; ///< screen width - 248
    double horizontalBarTop = 0.0; ///< screen height - 312
};

/// @brief The start-up layout of the main window on a screen.
WindowLayout MainWindowLayout(ScreenSize screen);

/// @brief The tab panel's top-left corner after one mouse move of a
/// right-button drag: it moves by a tenth of the pointer's offset from the
/// press point (both in the panel's own coordinates). The press point is not
/// updated, so the panel creeps on while the pointer stays away from it.
ViewPoint DraggedPanelPosition(ViewPoint panel, ViewPoint pressPoint, ViewPoint pointer);

} // namespace lumvane
