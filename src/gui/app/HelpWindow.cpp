#include "gui/app/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace lumvane {

QString HelpFileName()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Tarnel32.html"));
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
    resize(640, 560);
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
                                          "opened: %2.</p><p>It belongs in the program's folder, beside the "
                                          "program itself. Installing Lumvane again puts it back.</p>")
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
