#include "gui/app/HelpController.h"

#include "gui/app/HelpWindow.h"
#include "gui/app/TabPanel.h"
#include "gui/app/frmAbout.h"

#include <QAction>
#include <QPushButton>

namespace lumvane {

HelpController::HelpController(Dialogs& dialogs, Controls controls, QObject* parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_controls(controls)
{
    for (const auto& [button, context] : m_controls.helpButtons)
        connect(button, &QPushButton::clicked, this, [this, topic = context] { ShowHelpTopic(topic); });
    connect(m_controls.mnuhelpcontents, &QAction::triggered, this, &HelpController::mnuhelpcontents_Click);
    connect(m_controls.mnuabout, &QAction::triggered, this, &HelpController::mnuabout_Click);
    connect(m_controls.tabHelp, &QAction::triggered, this, &HelpController::HelpForCurrentTab);
}

HelpWindow& HelpController::Help()
{
    if (m_help == nullptr)
        m_help = new HelpWindow(HelpFileName(), m_controls.window);
    return *m_help;
}

void HelpController::ShowHelpTopic(int context)
{
    Help().ShowTopic(context);
}

void HelpController::mnuhelpcontents_Click()
{
    // A help button that has the focus (the one clicked last, until another
    // control takes the focus) chooses the topic, as F1 would.
    const QWidget* focused = m_controls.window->focusWidget();
    for (const auto& [button, context] : m_controls.helpButtons) {
        if (button == focused) {
            ShowHelpTopic(context);
            return;
        }
    }
    Help().ShowContents();
}

void HelpController::HelpForCurrentTab()
{
    const QWidget* page = m_controls.tabs->Page(m_controls.tabs->CurrentIndex());
    for (const auto& [button, context] : m_controls.helpButtons) {
        if (page != nullptr && page->isAncestorOf(button)) {
            ShowHelpTopic(context);
            return;
        }
    }
    Help().ShowContents();
}

void HelpController::mnuabout_Click()
{
    if (m_about == nullptr)
        m_about = new frmAbout(m_dialogs, m_controls.window);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

} // namespace lumvane
