#include "gui/photometry/OptionsController.h"

#include "core/app/Session.h"
#include "core/app/SettingsFile.h"
#include "gui/app/Dialogs.h"
#include "gui/photometry/BoxCorrection.h"
#include "gui/photometry/OptionsPanel.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace lumvane {

namespace {

std::filesystem::path SettingsFileIn(const QString& programFolder)
{
    return SettingsFilePath(QFile::encodeName(programFolder).toStdString());
}

QString FileNameText(const std::filesystem::path& file)
{
    return QFile::decodeName(QByteArray::fromStdString(file.string()));
}

} // namespace

OptionsController::OptionsController(
    Session& session, Dialogs& dialogs, OptionsPanel* panel, const QString& programFolder, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_panel(panel)
    , m_programFolder(programFolder)
{
    // The outer factor has no limit of its own: Apply compares it with the inner one.
    connect(m_panel->InnerBox(), &QLineEdit::textChanged, this, &OptionsController::TROptR1_Change);
    connect(m_panel->MedianBox(), &QLineEdit::textChanged, this, &OptionsController::TROptMedian_Change);
    connect(m_panel->ApplyButton(), &QPushButton::clicked, this, &OptionsController::btnoptok_Click);
}

void OptionsController::TROptR1_Change()
{
    QLineEdit& box = *m_panel->InnerBox();
    if (CorrectText(box, CheckInnerFactorText(box.text().toStdString())))
        m_dialogs.Beep();
}

void OptionsController::TROptMedian_Change()
{
    QLineEdit& box = *m_panel->MedianBox();
    if (CorrectText(box, CheckMedianText(box.text().toStdString())))
        m_dialogs.Beep();
}

void OptionsController::btnoptok_Click()
{
    if (!ApplyOptions(m_panel->Tab(), m_session.options)) {
        m_dialogs.Message(QString::fromUtf8(kOuterRadiusMessage), QString::fromUtf8(kOuterRadiusTitle),
            MessageIcon::None, MessageButtons::Ok);
        m_dialogs.Beep();
    }
}

bool OptionsController::LoadSettings()
{
    const std::filesystem::path file = SettingsFileIn(m_programFolder);
    const SettingsLoadResult loaded = lumvane::LoadSettings(file);
    if (!loaded.reason.empty())
        ShowCannotWriteFile(m_dialogs, FileNameText(file), { false, loaded.reason });
    m_panel->SetTab(loaded.tab);
    return !loaded.unreadable;
}

void OptionsController::TakeStartUpOptions()
{
    m_session.options.options = StartUpOptions(m_panel->Tab());
}

void OptionsController::SaveSettings()
{
    const OptionsInForce& options = m_session.options;
    if (!options.changed)
        return;
    const std::filesystem::path file = SettingsFileIn(m_programFolder);
    const WriteResult written = WriteFileBytes(file.string(), SavedSettingsText(options.record));
    if (!written.written)
        ShowCannotWriteFile(m_dialogs, FileNameText(file), written);
}

} // namespace lumvane
