#pragma once

class QImage;

namespace lumvane {

class Dialogs;

/// @brief Asks for a bitmap name ("SAVE BMP") and saves a view's picture
/// there as a 24-bit Windows bitmap: the name as typed (a relative name from
/// the current folder; no extension added; an existing file replaced). A
/// failure is reported.
void SaveBmpAs(Dialogs& dialogs, const QImage& picture);

} // namespace lumvane
