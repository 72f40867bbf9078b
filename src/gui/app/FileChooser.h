#pragma once

#include "gui/app/Dialogs.h"

namespace lumvane {

/// @brief The window's file dialog: it keeps its title between uses and
/// opens in the folder of the last file chosen (the current folder at first).
class FileChooser {
public:
    explicit FileChooser(Dialogs& dialogs);

    /// Shows the open dialog with an empty file name and the first filter
    /// selected. An empty title keeps the previous one. Returns the full path
    /// chosen, or an empty text when the user cancels.
    QString ShowOpen(const QString& title, const QString& filter);
    /// Shows the save dialog, with its last title, the file name given, the
    /// first filter selected and the extension added to a name typed without
    /// one. Returns the full path chosen, or an empty text when the user cancels.
    QString ShowSave(const QString& fileName, const QString& filter, const QString& defaultExtension);
    /// Makes the folder of a file chosen elsewhere (a start-up argument) the
    /// dialog's next folder.
    void Remember(const QString& fileName);

private:
    Dialogs& m_dialogs;
    QString m_title;
    QString m_folder;
};

} // namespace lumvane
