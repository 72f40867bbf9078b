#pragma once

#include "core/common/FileWrite.h"

#include <QString>

#include <optional>

namespace lumvane {

enum class MessageIcon { None, Critical, Question, Warning, Information };
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

/// The title of a message box that has none of its own: the program's name.
inline const QString kProgramTitle = QStringLiteral("Lumvane");

/// @brief What an open or save file dialog is shown with.
struct FileDialogRequest {
    QString title;
    /// Description and pattern pairs, all separated by "|":
    /// "FITS files (*.FTS) | *.FTS|All files (*.*) | *.*".
    QString filter;
    int filterIndex = 1; ///< the pair selected when the dialog opens, from 1
    QString folder; ///< the folder the dialog opens in
    QString fileName; ///< the initial file name
    QString defaultExtension;
};

/// @brief Every message box, input box, file dialog and beep of the program.
///
/// The main window is given one: the Qt implementation shows real dialogs,
/// tests give a scripted one that answers from a queue and records what was
/// shown. Nothing else in the program constructs a dialog.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer Message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons)
        = 0;
    /// The typed text, or nothing when the user cancels.
    virtual std::optional<QString> Input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    /// The chosen file's full path, or an empty text when the user cancels.
    virtual QString OpenFileName(const FileDialogRequest& request) = 0;
    /// The chosen file's full path, or an empty text when the user cancels.
    virtual QString SaveFileName(const FileDialogRequest& request) = 0;
    virtual void Beep() = 0;
};

/// @brief Reports a writer's failure: "Cannot write file NAME: REASON",
/// title "Error!", critical icon.
inline void ShowCannotWriteFile(Dialogs& dialogs, const QString& fileName, const WriteResult& written)
{
    dialogs.Message(QString::fromStdString(CannotWriteFileText(fileName.toStdString(), written.reason)),
        QStringLiteral("Error!"), MessageIcon::Critical, MessageButtons::Ok);
}

} // namespace lumvane
