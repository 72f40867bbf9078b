#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace lumvane {

class Dialogs;
class FileChooser;

/// @brief The "Notes" tab: free text, opened from and saved to text files,
/// and the place where "View Header" shows the FITS header.
///
/// Nothing is saved by itself: the notes live in the box until the user saves
/// them, and leaving the program does not ask about them.
class NotesPanel : public QWidget {
    Q_OBJECT

public:
    /// The file commands use the window's file dialog `dlog`.
    NotesPanel(Dialogs& dialogs, FileChooser& dlog, QWidget* parent = nullptr);

    /// Appends text to the end of the notes, as they stand, without a line
    /// break of its own.
    void AppendText(const QString& text);

public slots:
    void txtnot_Change();
    void btnClear_Click();
    void btnnotopen_Click();
    void btnnotsave_Click();

private:
    /// Save As: asks for a name (the notes file's, else "astronot.txt") and
    /// writes the notes there. False when cancelled or not written.
    bool SaveNotesAs();
    /// Writes the notes to a file; a failure is reported. True when written.
    bool WriteNotes(const QString& fileName);
    QString NotesText() const;

    Dialogs& m_dialogs;
    FileChooser& m_dlog;
    QPlainTextEdit* m_txtnot;
    /// The file the notes were last opened from; empty until one is.
    QString m_notesFileName;
    /// 1 once the text has changed in any way (typing, opening, clearing,
    /// appending the header); never reset.
    int m_notesModified = 0;
};

} // namespace lumvane
