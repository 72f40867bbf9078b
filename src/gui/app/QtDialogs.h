#pragma once

#include "gui/app/Dialogs.h"

#include <QStringList>

namespace lumvane {

/// @brief The dialogs shown as real Qt windows over the active window.
class QtDialogs : public Dialogs {
public:
    MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons) override;
    std::optional<QString> Input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    void Beep() override;
};

/// @brief Qt name filters for a "description | pattern|..." filter text.
///
/// Patterns match in either case, as they did where the filters were first
/// written ("*.FTS" also finds "m31.fts"), and "*.*" means every file:
/// "FITS files (*.FTS) | *.FTS" gives "FITS files (*.FTS *.fts)".
QStringList QtNameFilters(const QString& filter);

} // namespace lumvane
