#pragma once

#include "core/display/BmpWriter.h"

#include <QImage>
#include <QString>

namespace lumvane {

/// @brief Saves a view's picture as a 24-bit Windows bitmap under the name as
/// given (a relative name from the current folder; no extension added; an
/// existing file replaced).
WriteResult SavePictureBmp(const QImage& picture, const QString& fileName);

} // namespace lumvane
