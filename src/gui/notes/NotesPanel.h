#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace lumvane {

/// @brief The "Notes" tab: the free-text box `txtnot` and its buttons.
///
/// The box writes in a fixed-width font, so that a header's cards line up.
class NotesPanel : public QWidget {
    Q_OBJECT

public:
    explicit NotesPanel(QWidget* parent = nullptr);

    /// The notes as they stand, line breaks as "\n".
    QString Text() const;
    void SetText(const QString& text);
    /// Appends text to the end of the notes, as they stand, without a line
    /// break of its own; the notes are no more unsaved than they were.
    void AppendText(const QString& text);
    /// The notes were changed since they were last opened or saved; a
    /// header appended alone is no change worth saving.
    bool Unsaved() const;
    void MarkSaved();
    /// How many pixels the notes box lacks to show lines of `columns`
    /// characters whole (0 or less when it shows them).
    int WidthShortOf(int columns) const;

    QPlainTextEdit* TextBox() const { return m_txtnot; }
    QPushButton* OpenButton() const { return m_btnnotopen; }
    QPushButton* SaveButton() const { return m_btnnotsave; }
    QPushButton* ClearButton() const { return m_btnClear; }
    QPushButton* HelpButton() const { return m_btnNotesHelp; }

private:
    QPlainTextEdit* m_txtnot;
    QPushButton* m_btnnotopen;
    QPushButton* m_btnnotsave;
    QPushButton* m_btnClear;
    QPushButton* m_btnNotesHelp;
};

} // namespace lumvane
