#include "gui/notes/NotesController.h"

#include "core/app/Session.h"
#include "core/notes/HeaderCards.h"
#include "core/notes/NotesFile.h"
#include "gui/app/Dialogs.h"
#include "gui/app/FileChooser.h"
#include "gui/app/SaveName.h"
#include "gui/app/TabPanel.h"
#include "gui/notes/NotesPanel.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStringDecoder>

#include <algorithm>

namespace lumvane {

namespace {

const QString kOpenFilter = QStringLiteral("txt files (*.txt) | *.txt| all files (*.*) | *.*");
const QString kSaveFilter = QStringLiteral("TXT Files (*.TXT)| *.TXT | All Files (*.*) | *.*");
constexpr int kNotesTab = 5;
constexpr int kHeaderColumns = 80;

std::string LocalName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

/// Notes files are UTF-8; one that is not (an older file in a Windows code
/// page) is read as Latin-1, so that no byte is lost.
QString DecodedText(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

} // namespace

NotesController::NotesController(
    const Session& session, Dialogs& dialogs, FileChooser& dlog, Controls controls, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_dlog(dlog)
    , m_controls(controls)
{
    const NotesPanel* panel = m_controls.panel;
    connect(panel->TextBox(), &QPlainTextEdit::textChanged, this, &NotesController::txtnot_Change);
    connect(panel->OpenButton(), &QPushButton::clicked, this, &NotesController::btnnotopen_Click);
    connect(panel->SaveButton(), &QPushButton::clicked, this, &NotesController::btnnotsave_Click);
    connect(panel->ClearButton(), &QPushButton::clicked, this, &NotesController::btnClear_Click);
    connect(m_controls.btnHeader, &QPushButton::clicked, this, &NotesController::btnHeader_Click);
}

void NotesController::txtnot_Change()
{
    m_notesModified = true;
}

void NotesController::btnClear_Click()
{
    m_controls.panel->SetText({});
    // Clearing counts as a change even when the box was already empty.
    txtnot_Change();
}

void NotesController::btnnotopen_Click()
{
    if (m_notesModified
        && m_dialogs.Message(
               QStringLiteral("Save changes?"), QStringLiteral("Save"), MessageIcon::None, MessageButtons::YesNo)
            == MessageAnswer::Yes) {
        if (!SaveNotes())
            return;
    }

    const QString fileName = m_dlog.ShowOpen(QStringLiteral("Open Notes"), kOpenFilter);
    if (fileName.isEmpty())
        return;
    const NotesReadResult read = ReadNotesFile(LocalName(fileName));
    switch (read.status) {
    case NotesReadStatus::TooBig:
        m_dialogs.Message(QStringLiteral("This file is to big to open!"), QStringLiteral("ERROR   "),
            MessageIcon::Critical, MessageButtons::Ok);
        return;
    case NotesReadStatus::Unreadable:
        m_dialogs.Message(
            QStringLiteral("Cannot read file ") + fileName + QStringLiteral(": ") + QString::fromLocal8Bit(read.reason),
            QStringLiteral("Error!"), MessageIcon::Critical, MessageButtons::Ok);
        return;
    case NotesReadStatus::Read:
        break;
    }
    // Only a file that was read becomes the notes file: "Save changes?" must
    // never write the notes over a file that was refused.
    m_notesFileName = fileName;
    m_controls.panel->SetText(DecodedText(read.text));
}

bool NotesController::Unsaved() const
{
    return m_controls.panel->Unsaved();
}

bool NotesController::SaveNotes()
{
    return m_notesFileName.isEmpty() ? SaveNotesAs() : WriteNotes(m_notesFileName);
}

void NotesController::btnnotsave_Click()
{
    SaveNotesAs();
}

bool NotesController::SaveNotesAs()
{
    const QString suggested = m_notesFileName.isEmpty() ? QStringLiteral("astronot.txt") : m_notesFileName;
    const QString fileName
        = m_dlog.ShowSave(QStringLiteral("Save Notes"), suggested, kSaveFilter, QStringLiteral("txt"));
    if (fileName.isEmpty())
        return false;
    // The name saved under does not become the notes file.
    return WriteNotes(fileName);
}

bool NotesController::WriteNotes(const QString& fileName)
{
    const WriteResult written = WriteNotesFile(LocalName(fileName), m_controls.panel->Text().toUtf8().toStdString());
    if (!written.written) {
        ShowCannotWriteFile(m_dialogs, fileName, written);
        return false;
    }
    m_controls.panel->MarkSaved();
    ShowSaved(*m_controls.status, fileName);
    return true;
}

void NotesController::btnHeader_Click()
{
    m_controls.panel->AppendText(QString::fromLatin1(HeaderCardLines(m_session.store.header.headerText)));
    m_controls.tabs->SetCurrentIndex(kNotesTab);
    // Room for whole cards, taken from the picture area while it keeps half the window.
    QList<int> sizes = m_controls.splitter->sizes();
    const int wider
        = std::min(m_controls.panel->WidthShortOf(kHeaderColumns), sizes.front() - (sizes.front() + sizes.back()) / 2);
    if (wider > 0) {
        sizes.front() -= wider;
        sizes.back() += wider;
        m_controls.splitter->setSizes(sizes);
    }
}

} // namespace lumvane
