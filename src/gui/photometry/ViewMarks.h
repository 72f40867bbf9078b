#pragma once

#include "core/display/LevelPalette.h"
#include "core/display/ViewCoordinates.h"

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

} // namespace lumvane
