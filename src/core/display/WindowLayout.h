#pragma once

#include "core/display/ViewCoordinates.h"

namespace lumvane {

/// Screen positions were designed in twips, at 15 twips per pixel.
constexpr float kTwipsPerPixel = 15.0F;

/// @brief The main window's size at start-up and where the picture area ends
/// and the tab panel begins, in pixels of the window's client area (fractions
/// kept; the toolkit rounds).
struct WindowLayout {
    double windowWidth = 0.0; ///< the screen width
    double windowHeight = 0.0; ///< the screen height less 500 twips
    double tabPanelLeft = 0.0; ///< screen width - 216
};

/// @brief The start-up layout of the main window on a screen of this size.
WindowLayout MainWindowLayout(PixelSize screen);

} // namespace lumvane
