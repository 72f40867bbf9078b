#pragma once

#include <QObject>
#include <QString>

class QPushButton;
class QSplitter;

namespace lumvane {

class Dialogs;
class FileChooser;
class NotesPanel;
struct Session;
class StatusBar;
class TabPanel;

/// @brief Drives the "Notes" tab: notes opened from and saved to text
/// files, and "View Header" on the "File info" tab, which appends the last
/// header read to the notes and shows them.
///
/// Nothing is saved by itself: the notes live in the box until the user saves
/// them, and leaving the program does not ask about them.
class NotesController : public QObject {
    Q_OBJECT

public:
    struct Controls {
        NotesPanel* panel;
        QPushButton* btnHeader;
        TabPanel* tabs; ///< `SSTab1`, which "View Header" turns to the notes
        /// Between the picture area and the tabs: "View Header" widens the
        /// tabs for the header's 80 columns, up to half the window.
        QSplitter* splitter;
        StatusBar* status; ///< says where the notes were saved
    };

    /// The file commands use the window's file dialog `dlog`.
    NotesController(const Session& session, Dialogs& dialogs, FileChooser& dlog, Controls controls, QObject* parent);

    /// Typed or opened notes not saved since.
    bool Unsaved() const;
    /// Saves the notes to the file they came from, or asks for a name when
    /// they came from none. True when written.
    bool SaveNotes();

public slots:
    void txtnot_Change();
    void btnClear_Click();
    void btnnotopen_Click();
    void btnnotsave_Click();
    void btnHeader_Click();

private:
    /// Save As: asks for a name (the notes file's, else "astronot.txt") and
    /// writes the notes there. False when cancelled or not written.
    bool SaveNotesAs();
    /// Writes the notes to a file; a failure is reported. True when written.
    bool WriteNotes(const QString& fileName);

    const Session& m_session;
    Dialogs& m_dialogs;
    FileChooser& m_dlog;
    Controls m_controls;
    /// The file the notes were last opened from; empty until one is.
    QString m_notesFileName;
    /// Set once the text has changed in any way (typing, opening, clearing,
    /// appending the header); never cleared.
    bool m_notesModified = false;
};

} // namespace lumvane
