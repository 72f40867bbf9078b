#pragma once

#include "gui/app/Dialogs.h"

class QSettings;

namespace lumvane {

/// @brief The window's file dialog: it keeps its title between uses and
/// opens in the folder of the last file chosen, in this run or an earlier one
/// (the current folder at first).
class FileChooser {
public:
    /// `settings` keeps the last folder from one run to the next.
    FileChooser(Dialogs& dialogs, QSettings& settings);

    /// Shows the open dialog with an empty file name and the first filter
    /// selected. An empty title keeps the previous one. Returns the full path
    /// chosen, or an empty text when the user cancels.
    QString ShowOpen(const QString& title, const QString& filter);
    /// Shows the save dialog, with the file name given, the first filter
    /// selected and the extension added to a name typed without one. An empty
    /// title keeps the previous one. Returns the full path chosen, or an empty
    /// text when the user cancels.
    QString ShowSave(
        const QString& title, const QString& fileName, const QString& filter, const QString& defaultExtension);
    /// Makes the folder of a file chosen elsewhere (a start-up argument, a
    /// recent file) the dialog's next folder.
    void Remember(const QString& fileName);

private:
    FileDialogRequest Request(const QString& title, const QString& filter);

    Dialogs& m_dialogs;
    QSettings& m_settings;
    QString m_title;
    QString m_folder;
};

} // namespace lumvane
