// What a desktop program is expected to offer beside its menus: keyboard
// shortcuts, F1 for the help of the tab shown, opening a file dropped on the
// window, and the progress of a patrol series in the status bar.

#include "gui/app/Form1.h"

#include "gui/app/HelpWindow.h"
#include "gui/app/TabPanel.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/patrol/PatrolProgress.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

namespace lumvane {

namespace {

/// The first local file of a drag, or an empty text when it carries none
/// (a folder, a web address or plain text).
QString DroppedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty())
        return {};
    const QUrl& url = data->urls().front();
    if (!url.isLocalFile())
        return {};
    const QFileInfo file(url.toLocalFile());
    return file.isFile() ? file.absoluteFilePath() : QString();
}

} // namespace

void Form1::ConnectDesktop()
{
    // Shortcuts beside the captions' access keys; a disabled item ignores its own.
    const struct {
        const char* item;
        QKeyCombination keys;
    } shortcuts[] = {
        { "mnuopen", Qt::CTRL | Qt::Key_O },
        { "mnusave", Qt::CTRL | Qt::Key_S },
        { "mnurep", Qt::CTRL | Qt::Key_R },
        { "mnuexit", Qt::CTRL | Qt::Key_Q },
    };
    for (const auto& shortcut : shortcuts)
        findChild<QAction*>(QString::fromLatin1(shortcut.item))->setShortcut(QKeySequence(shortcut.keys));

    // Not a menu item: the menus stay as they are.
    auto* tabHelp = new QAction(this);
    tabHelp->setObjectName(QStringLiteral("tabHelp"));
    tabHelp->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(tabHelp);
    connect(tabHelp, &QAction::triggered, this, &Form1::HelpForCurrentTab);

    setAcceptDrops(true);

    m_patrolProgress = new PatrolProgress(statusBar());
    statusBar()->addPermanentWidget(m_patrolProgress);
    connect(m_patrol, &PatrolDriver::RunningChanged, m_patrolProgress, &PatrolProgress::RunningChanged);
    connect(m_patrol, &PatrolDriver::FileMeasured, m_patrolProgress, &PatrolProgress::FileMeasured);
}

void Form1::HelpForCurrentTab()
{
    const QWidget* page = m_sstab1->Page(m_sstab1->CurrentIndex());
    for (const auto& [button, context] : m_helpButtons) {
        if (button != nullptr && page != nullptr && page->isAncestorOf(button)) {
            ShowHelpTopic(context);
            return;
        }
    }
    Help().ShowContents();
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    // Refused while File > Open Single Image is off (a series is running).
    if (!DroppedFile(event->mimeData()).isEmpty() && findChild<QAction*>(QStringLiteral("mnuopen"))->isEnabled())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString fileName = DroppedFile(event->mimeData());
    if (fileName.isEmpty() || !findChild<QAction*>(QStringLiteral("mnuopen"))->isEnabled())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over, so that the dragging program is not held
    // while the image is read or a message waits for the user.
    QMetaObject::invokeMethod(
        this, [this, fileName] { OpenStartupFile(fileName); }, Qt::QueuedConnection);
}

} // namespace lumvane
