#include "gui/app/SaveName.h"

#include "gui/app/Dialogs.h"
#include "gui/app/StatusBar.h"

#include <QDir>
#include <QFileInfo>

namespace lumvane {

std::optional<QString> AskSaveName(
    Dialogs& dialogs, const QString& prompt, const QString& title, const QString& defaultText, const QString& extension)
{
    const std::optional<QString> typed = dialogs.Input(prompt, title, defaultText);
    if (!typed || typed->isEmpty())
        return std::nullopt;
    QString fileName = *typed;
    if (QFileInfo(fileName).suffix().isEmpty() && !fileName.endsWith(QLatin1Char('/')))
        fileName += QLatin1Char('.') + extension;
    const QFileInfo file(fileName);
    if (file.exists()
        && dialogs.Message(QDir::toNativeSeparators(file.absoluteFilePath())
                   + QStringLiteral(" already exists. Do you want to replace it?"),
               title, MessageIcon::Question, MessageButtons::YesNo)
            != MessageAnswer::Yes)
        return std::nullopt;
    return fileName;
}

void ShowSaved(StatusBar& status, const QString& fileName)
{
    status.ShowNow(4, QStringLiteral("Saved ") + QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()));
}

} // namespace lumvane
