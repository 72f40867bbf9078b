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

void FileChooser::Remember(const QString& fileName)
{
    m_folder = QFileInfo(fileName).absolutePath();
}

} // namespace lumvane
