#include "gui/app/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace lumvane {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString FileName(QFileDialog::AcceptMode mode, const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder);
    dialog.setAcceptMode(mode);
    // The chosen name need not exist: the caller reports what it can't read.
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

MessageAnswer QtDialogs::Message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons)
{
    QMessageBox::StandardButtons standardButtons = QMessageBox::Ok;
    if (buttons == MessageButtons::YesNo)
        standardButtons = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == MessageButtons::SaveDiscardCancel)
        standardButtons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    QMessageBox box(BoxIcon(icon), title, text, standardButtons, QApplication::activeWindow());
    // Closing the box with Esc or its title bar is Cancel.
    if (buttons == MessageButtons::SaveDiscardCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Save:
        return MessageAnswer::Save;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

std::optional<QString> QtDialogs::Input(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtDialogs::OpenFileName(const FileDialogRequest& request)
{
    return FileName(QFileDialog::AcceptOpen, request);
}

QString QtDialogs::SaveFileName(const FileDialogRequest& request)
{
    return FileName(QFileDialog::AcceptSave, request);
}

void QtDialogs::Beep()
{
    QApplication::beep();
}

QStringList QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        QStringList patterns;
        for (const QString& one : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = one.trimmed();
            if (trimmed == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            patterns << trimmed;
            patterns << trimmed.toLower();
        }
        // A list that names both cases itself keeps its own order.
        patterns.removeDuplicates();
        // Qt reads the patterns from the description's last parentheses:
        // the description's own pattern list gives way to the full one.
        const qsizetype group = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && group >= 0)
            description = description.left(group).trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

} // namespace lumvane
