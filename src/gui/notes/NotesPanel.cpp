#include "gui/notes/NotesPanel.h"

#include "gui/app/Controls.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumvane {

NotesPanel::NotesPanel(QWidget* parent)
    : QWidget(parent)
{
    auto* txtnot = new QPlainTextEdit(this);
    txtnot->setObjectName(QStringLiteral("txtnot"));
    txtnot->setToolTip(QStringLiteral("Use that place for some notes"));

    auto* buttons = new QGridLayout;
    buttons->addWidget(NewButton(this, QStringLiteral("btnnotopen"), QStringLiteral("Open")), 0, 0);
    buttons->addWidget(NewButton(this, QStringLiteral("btnnotsave"), QStringLiteral("Save As")), 0, 1);
    buttons->addWidget(NewButton(this, QStringLiteral("btnClear"), QStringLiteral("Clear")), 1, 0);
    buttons->addWidget(NewButton(this, QStringLiteral("btnNotesHelp"), QStringLiteral("Help")), 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtnot, 1);
    layout->addLayout(buttons);
}

} // namespace lumvane
