#include "gui/app/FileChooser.h"

#include <QDir>
#include <QFileInfo>

namespace lumvane {

FileChooser::FileChooser(Dialogs& dialogs)
    : m_dialogs(dialogs)
{
}

QString FileChooser::ShowOpen(const QString& title, const QString& filter)
{
    if (!title.isEmpty())
        m_title = title;
    FileDialogRequest request;
    request.title = m_title;
    request.filter = filter;
    request.folder = m_folder.isEmpty() ? QDir::currentPath() : m_folder;
    const QString fileName = m_dialogs.OpenFileName(request);
    if (!fileName.isEmpty())
        Remember(fileName);
    return fileName;
}

QString FileChooser::ShowSave(const QString& fileName, const QString& filter, const QString& defaultExtension)
{
    FileDialogRequest request;
    request.title = m_title;
    request.filter = filter;
    request.folder = m_folder.isEmpty() ? QDir::currentPath() : m_folder;
    request.fileName = fileName;
    request.defaultExtension = defaultExtension;
    const QString chosen = m_dialogs.SaveFileName(request);
    if (!chosen.isEmpty())
        Remember(chosen);
    return chosen;
}

void FileChooser::Remember(const QString& fileName)
{
    m_folder = QFileInfo(fileName).absolutePath();
}

} // namespace lumvane
