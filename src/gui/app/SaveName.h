#pragma once

#include <QString>

#include <optional>

namespace lumvane {

class Dialogs;
class StatusBar;

/// @brief Asks with an input box for the name of a file to save and settles
/// it: a name typed without an extension gets `extension` ("bmp", "txt"), and
/// a file that is there already is replaced only when the user says so.
///
/// Returns the name to write (relative names are the current folder's), or
/// nothing when the user cancels, types nothing or keeps the file there.
std::optional<QString> AskSaveName(Dialogs& dialogs, const QString& prompt, const QString& title,
    const QString& defaultText, const QString& extension);

/// @brief Says in status bar panel 4 where a file was saved: its full path.
void ShowSaved(StatusBar& status, const QString& fileName);

} // namespace lumvane
