#include "gui/app/HelpWindow.h"

#include "gui/app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace lumvane {

QString HelpFileName()
{
    return HelpFileFor(QCoreApplication::applicationDirPath());
}

QString HelpFileFor(const QString& executableFolder)
{
    const QString name = QStringLiteral("Tarnel32.html");
    const QString besideProgram = QDir(executableFolder).filePath(name);
    const QString dataFolder = InstalledDataFolder(executableFolder);
    if (QFileInfo::exists(besideProgram) || dataFolder.isEmpty())
        return besideProgram;
    return QDir(dataFolder).filePath(QStringLiteral("help/") + name);
}

HelpWindow::HelpWindow(const QString& helpFileName, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_helpFileName(helpFileName)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Lumvane Help"));
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    // 640 x 560, or what the screen has room for.
    const QRect room = screen()->availableGeometry();
    resize(QSize(640, 560).boundedTo(room.size() * 9 / 10));
    move(room.center() - rect().center());
}

void HelpWindow::ShowTopic(int context)
{
    ShowAnchor(QString::number(context));
}

void HelpWindow::ShowContents()
{
    ShowAnchor(QStringLiteral("contents"));
}

void HelpWindow::ShowAnchor(const QString& anchor)
{
    QFile file(m_helpFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_browser->setSource({});
        m_browser->setHtml(QStringLiteral("<h2>Help is not available</h2><p>The help file <b>%1</b> cannot be "
                                          "opened: %2.</p><p>It belongs beside the program itself, or in the "
                                          "share/lumvane/help folder of an installed program. Installing "
                                          "Lumvane again puts it back.</p>")
                               .arg(m_helpFileName.toHtmlEscaped(), file.errorString().toHtmlEscaped()));
    } else {
        QUrl url = QUrl::fromLocalFile(m_helpFileName);
        url.setFragment(anchor);
        m_browser->setSource(url);
    }
    show();
    raise();
    activateWindow();
}

} // namespace lumvane
