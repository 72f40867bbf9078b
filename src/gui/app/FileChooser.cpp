#include "gui/app/FileChooser.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace lumvane {

namespace {

const QString kFolderKey = QStringLiteral("dialogs/folder");

} // namespace

FileChooser::FileChooser(Dialogs& dialogs, QSettings& settings)
    : m_dialogs(dialogs)
    , m_settings(settings)
    , m_folder(settings.value(kFolderKey).toString())
{
}

FileDialogRequest FileChooser::Request(const QString& title, const QString& filter)
{
    if (!title.isEmpty())
        m_title = title;
    FileDialogRequest request;
    request.title = m_title;
    request.filter = filter;
    // A folder removed since it was used gives way to the current one.
    request.folder = QFileInfo(m_folder).isDir() ? m_folder : QDir::currentPath();
    return request;
}

QString FileChooser::ShowOpen(const QString& title, const QString& filter)
{
    const QString fileName = m_dialogs.OpenFileName(Request(title, filter));
    if (!fileName.isEmpty())
        Remember(fileName);
    return fileName;
}

QString FileChooser::ShowSave(
    const QString& title, const QString& fileName, const QString& filter, const QString& defaultExtension)
{
    FileDialogRequest request = Request(title, filter);
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
    m_settings.setValue(kFolderKey, m_folder);
    // Written now, not at some later turn of the event loop.
    m_settings.sync();
}

} // namespace lumvane
