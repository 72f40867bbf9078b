#include "gui/notes/NotesPanel.h"

#include "gui/app/Controls.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace lumvane {

NotesPanel::NotesPanel(QWidget* parent)
    : QWidget(parent)
    , m_txtnot(new QPlainTextEdit(this))
    , m_btnnotopen(NewButton(this, QStringLiteral("btnnotopen"), QStringLiteral("Open")))
    , m_btnnotsave(NewButton(this, QStringLiteral("btnnotsave"), QStringLiteral("Save As")))
    , m_btnClear(NewButton(this, QStringLiteral("btnClear"), QStringLiteral("Clear")))
    , m_btnNotesHelp(NewButton(this, QStringLiteral("btnNotesHelp"), QStringLiteral("Help")))
{
    m_txtnot->setObjectName(QStringLiteral("txtnot"));
    m_txtnot->setToolTip(QStringLiteral("Use that place for some notes"));
    // Header cards are 80 characters wide: they line up and scroll rather than wrap.
    m_txtnot->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_txtnot->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* buttons = new QGridLayout;
    buttons->addWidget(m_btnnotopen, 0, 0);
    buttons->addWidget(m_btnnotsave, 0, 1);
    buttons->addWidget(m_btnClear, 1, 0);
    buttons->addWidget(m_btnNotesHelp, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtnot, 1);
    layout->addLayout(buttons);
}

QString NotesPanel::Text() const
{
    // The raw text keeps non-breaking spaces, which toPlainText() turns into
    // plain ones; only the block separators need turning into line breaks.
    QString text = m_txtnot->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void NotesPanel::SetText(const QString& text)
{
    m_txtnot->setPlainText(text);
}

int NotesPanel::WidthShortOf(int columns) const
{
    const int needed = m_txtnot->fontMetrics().horizontalAdvance(QString(columns, QLatin1Char('M')))
        + static_cast<int>(2 * m_txtnot->document()->documentMargin()) + 1;
    return needed - m_txtnot->viewport()->width();
}

void NotesPanel::AppendText(const QString& text)
{
    QTextDocument& document = *m_txtnot->document();
    const bool unsaved = document.isModified();
    QTextCursor end(&document);
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    document.setModified(unsaved);
}

bool NotesPanel::Unsaved() const
{
    return m_txtnot->document()->isModified();
}

void NotesPanel::MarkSaved()
{
    m_txtnot->document()->setModified(false);
}

} // namespace lumvane
