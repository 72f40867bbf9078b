#include "gui/notes/NotesPanel.h"

#include "core/notes/NotesFile.h"
#include "gui/app/Controls.h"
#include "gui/app/Dialogs.h"
#include "gui/app/FileChooser.h"

#include <QFile>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace lumvane {

namespace {

const QString kOpenFilter = QStringLiteral("txt files (*.txt) | *.txt| all files (*.*) | *.*");
const QString kSaveFilter = QStringLiteral("TXT Files (*.TXT)| *.TXT | All Files (*.*) | *.*");

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

NotesPanel::NotesPanel(Dialogs& dialogs, FileChooser& dlog, QWidget* parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , m_dlog(dlog)
    , m_txtnot(new QPlainTextEdit(this))
{
    m_txtnot->setObjectName(QStringLiteral("txtnot"));
    m_txtnot->setToolTip(QStringLiteral("Use that place for some notes"));
    // Header cards are 80 characters wide: they scroll rather than wrap.
    m_txtnot->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(m_txtnot, &QPlainTextEdit::textChanged, this, &NotesPanel::txtnot_Change);

    QPushButton* btnnotopen = NewButton(this, QStringLiteral("btnnotopen"), QStringLiteral("Open"));
    QPushButton* btnnotsave = NewButton(this, QStringLiteral("btnnotsave"), QStringLiteral("Save As"));
    QPushButton* btnClear = NewButton(this, QStringLiteral("btnClear"), QStringLiteral("Clear"));
    connect(btnnotopen, &QPushButton::clicked, this, &NotesPanel::btnnotopen_Click);
    connect(btnnotsave, &QPushButton::clicked, this, &NotesPanel::btnnotsave_Click);
    connect(btnClear, &QPushButton::clicked, this, &NotesPanel::btnClear_Click);

    auto* buttons = new QGridLayout;
    buttons->addWidget(btnnotopen, 0, 0);
    buttons->addWidget(btnnotsave, 0, 1);
    buttons->addWidget(btnClear, 1, 0);
    buttons->addWidget(NewButton(this, QStringLiteral("btnNotesHelp"), QStringLiteral("Help")), 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtnot, 1);
    layout->addLayout(buttons);
}

void NotesPanel::AppendText(const QString& text)
{
    QTextCursor end(m_txtnot->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

void NotesPanel::txtnot_Change()
{
    m_notesModified = 1;
}

void NotesPanel::btnClear_Click()
{
    m_txtnot->setPlainText({});
    // Clearing counts as a change even when the box was already empty.
    txtnot_Change();
}

void NotesPanel::btnnotopen_Click()
{
    if (m_notesModified == 1
        && m_dialogs.Message(
               QStringLiteral("Save changes?"), QStringLiteral("Save"), MessageIcon::None, MessageButtons::YesNo)
            == MessageAnswer::Yes) {
        // Notes that came from no file are saved under a name asked for.
        const bool saved = m_notesFileName.isEmpty() ? SaveNotesAs() : WriteNotes(m_notesFileName);
        if (!saved)
            return;
    }

    const QString fileName = m_dlog.ShowOpen({}, kOpenFilter);
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
    m_txtnot->setPlainText(DecodedText(read.text));
}

void NotesPanel::btnnotsave_Click()
{
    SaveNotesAs();
}

bool NotesPanel::SaveNotesAs()
{
    const QString suggested = m_notesFileName.isEmpty() ? QStringLiteral("astronot.txt") : m_notesFileName;
    const QString fileName = m_dlog.ShowSave(suggested, kSaveFilter, QStringLiteral("txt"));
    if (fileName.isEmpty())
        return false;
    // The name saved under does not become the notes file.
    return WriteNotes(fileName);
}

bool NotesPanel::WriteNotes(const QString& fileName)
{
    const WriteResult written = WriteNotesFile(LocalName(fileName), NotesText().toUtf8().toStdString());
    if (!written.written)
        ShowCannotWriteFile(m_dialogs, fileName, written);
    return written.written;
}

QString NotesPanel::NotesText() const
{
    // The raw text keeps non-breaking spaces, which toPlainText() turns into
    // plain ones; only the block separators need turning into line breaks.
    QString text = m_txtnot->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace lumvane
