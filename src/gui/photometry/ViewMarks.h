#pragma once

#include "core/display/LevelPalette.h"
#include "core/display/ViewCoordinates.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/StarSlots.h"

#include <QString>

class QImage;

namespace lumvane {

// Marks drawn into a view's persistent picture, at pixels of its drawing area
// (origin at the top-left, y downward). Marks stay until the image is
// rendered again.

/// @brief A one-pixel circle outline of `radius` pixels around `centre`.
void DrawCircle(QImage& picture, ViewPoint centre, int radius, Rgb colour);

/// @brief Text whose top-left corner is at `topLeft`, in the view's font.
void DrawLabel(QImage& picture, ViewPoint topLeft, const QString& text, Rgb colour);

/// Red: the diaphragm at the clicked point. Cyan: the diaphragm at the centre found.
inline constexpr Rgb kClickCircleColour { 255, 0, 0 };
inline constexpr Rgb kCentreCircleColour { 0, 255, 255 };

/// @brief The colour of a click's circle of that kind.
Rgb CircleColour(CircleKind kind);

/// @brief The colour of a slot's label: yellow for St1, cyan for the
/// comparison stars, magenta for the variables.
Rgb StarLabelColour(int slot);

} // namespace lumvane
