#pragma once

class QImage;

namespace lumvane {

class Dialogs;
class StatusBar;

/// @brief Asks for a bitmap name ("SAVE BMP") and saves a view's picture
/// there as a 24-bit Windows bitmap: the name as typed, ".bmp" added when it
/// has none (a relative name from the current folder; a file there already
/// replaced only when the user says so). A failure is reported; where the
/// file went, the status bar says.
void SaveBmpAs(Dialogs& dialogs, StatusBar& status, const QImage& picture);

} // namespace lumvane
