#include "gui/app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumvane {

QString ProgramFolder()
{
    const QString userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString folder = ChooseProgramFolder(QCoreApplication::applicationDirPath(), userDataFolder);
    if (folder == userDataFolder)
        QDir().mkpath(folder);
    return folder;
}

QString InstalledDataFolder(const QString& executableFolder)
{
    // LUMVANE_DATA_FROM_BIN: the install's data folder relative to its
    // executables' folder ("../share/lumvane" for the usual layout).
    const QString dataFolder = QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral(LUMVANE_DATA_FROM_BIN)));
    return QFileInfo(dataFolder).isDir() ? dataFolder : QString();
}

QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder)
{
    if (InstalledDataFolder(executableFolder).isEmpty() && QFileInfo(executableFolder).isWritable())
        return executableFolder;
    return userDataFolder;
}

} // namespace lumvane
