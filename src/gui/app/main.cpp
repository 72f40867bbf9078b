#include "gui/app/Form1.h"
#include "gui/app/ProgramFolder.h"
#include "gui/app/QtDialogs.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumvane"));
    QApplication::setApplicationVersion(QStringLiteral(LUMVANE_VERSION));
    // The desktop entry lumvane.desktop: its icon and name for the window.
    QApplication::setDesktopFileName(QStringLiteral("lumvane"));

    // lumvane [FILE]: resolved now, before start-up changes the current folder.
    const QStringList arguments = QApplication::arguments();
    const QString startupFile = arguments.size() > 1 ? QFileInfo(arguments[1]).absoluteFilePath() : QString();

    lumvane::QtDialogs dialogs;
    lumvane::Form1 form(dialogs, lumvane::ProgramFolder());
    if (!startupFile.isEmpty())
        form.OpenStartupFile(startupFile);
    return QApplication::exec();
}
