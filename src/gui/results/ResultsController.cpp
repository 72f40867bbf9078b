#include "gui/results/ResultsController.h"

#include "core/app/Session.h"
#include "core/common/FileWrite.h"
#include "core/results/AavsoFile.h"
#include "core/results/CsvFile.h"
#include "core/results/ResultsFile.h"
#include "core/routines/SequentialFile.h"
#include "gui/app/Dialogs.h"
#include "gui/app/SaveName.h"
#include "gui/photometry/TabSettings.h"
#include "gui/results/AavsoDialog.h"
#include "gui/results/ComparisonTable.h"
#include "gui/results/LightCurveWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace lumvane {

namespace {

const QString kAavsoTitle = QStringLiteral("Export AAVSO");
// Far more than the few short lines the program writes.
constexpr std::size_t kAavsoSettingsLimit = 1 << 16;

/// The observer's AAVSO settings, kept in the program's folder beside the
/// settings file, whose format has no room for them.
QString AavsoSettingsFile(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("aavso.ini"));
}

/// Writes `text` to a file; a failure is reported, and where it went is
/// said when there is a status bar to say it. False when it failed.
bool WriteOrReport(Dialogs& dialogs, StatusBar* status, const QString& fileName, const std::string& text)
{
    const WriteResult written = WriteFileBytes(QFile::encodeName(fileName).toStdString(), text);
    if (written.written && status != nullptr)
        ShowSaved(*status, fileName);
    else if (!written.written)
        ShowCannotWriteFile(dialogs, fileName, written);
    return written.written;
}

/// A line per file the report leaves out, with the reason.
QString LeftOutText(const AavsoReport& report)
{
    QString text;
    for (const AavsoLeftOut& file : report.leftOut)
        text += QStringLiteral("\nfile %1 (%2): %3")
                    .arg(file.file)
                    .arg(QString::fromStdString(file.fileName), QString::fromStdString(file.reason));
    return text;
}

} // namespace

ResultsController::ResultsController(const Session& session, Dialogs& dialogs, const TabSettings& tabs,
    Controls controls, const QString& programFolder, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_tabs(tabs)
    , m_controls(controls)
    , m_programFolder(programFolder)
    , m_comparisons(new ComparisonTable(this))
{
    const SmallFile remembered
        = SmallFileBytes(QFile::encodeName(AavsoSettingsFile(m_programFolder)).toStdString(), kAavsoSettingsLimit);
    if (remembered.read)
        m_remembered = AavsoSettingsFromText(remembered.bytes);
    m_comparisons->SetComparisons(m_remembered.comparisons);
    // The ensemble is remembered as soon as it is typed, in either window.
    connect(m_comparisons, &QStandardItemModel::itemChanged, this, [this] {
        AavsoSettings settings = m_remembered;
        settings.comparisons = m_comparisons->Comparisons();
        Remember(settings);
        RefreshLightCurve();
    });
    connect(m_controls.mnusave, &QAction::triggered, this, &ResultsController::mnusave_Click);
    connect(m_controls.mnulightcurve, &QAction::triggered, this, &ResultsController::mnulightcurve_Click);
    connect(m_controls.mnuexportaavso, &QAction::triggered, this, &ResultsController::mnuexportaavso_Click);
    connect(m_controls.mnuexportcsv, &QAction::triggered, this, &ResultsController::mnuexportcsv_Click);
}

bool ResultsController::HasResults()
{
    if (m_session.store.files.CurrentFile() > 0)
        return true;
    m_dialogs.Message(
        QStringLiteral("No result to save!"), QStringLiteral("ERROR"), MessageIcon::Critical, MessageButtons::Ok);
    return false;
}

void ResultsController::mnusave_Click()
{
    SaveResults();
}

void ResultsController::ResultsChanged()
{
    m_unsaved = true;
}

bool ResultsController::SaveResults()
{
    if (!HasResults())
        return false;
    // A relative name lands in the current (program's) folder.
    const std::optional<QString> fileName
        = AskSaveName(m_dialogs, QStringLiteral("Enter path and filename of resultfile being saved."),
            QStringLiteral("SAVE"), QStringLiteral("filename.txt"), QStringLiteral("txt"));
    if (!fileName
        || !WriteOrReport(m_dialogs, m_controls.status, *fileName,
            ResultsFileText(m_session.results, m_session.store.files, m_tabs.Results())))
        return false;
    m_unsaved = false;
    return true;
}

void ResultsController::mnulightcurve_Click()
{
    if (!m_lightCurve)
        m_lightCurve = new LightCurveWindow(
            m_dialogs, m_session, [this] { return m_tabs.Results(); }, *m_comparisons, m_programFolder,
            m_controls.window);
    m_lightCurve->Refresh();
    m_lightCurve->show();
    m_lightCurve->raise();
}

void ResultsController::RefreshLightCurve()
{
    if (m_lightCurve && m_lightCurve->isVisible())
        m_lightCurve->Refresh();
}

void ResultsController::mnuexportcsv_Click()
{
    if (!HasResults())
        return;
    const QString fileName = m_dialogs.SaveFileName({ .title = QStringLiteral("Export CSV"),
        .filter = QStringLiteral("CSV files (*.csv) | *.csv|All files (*.*) | *.*"),
        .folder = m_programFolder,
        .fileName = QStringLiteral("results.csv"),
        .defaultExtension = QStringLiteral("csv") });
    if (!fileName.isEmpty())
        WriteOrReport(m_dialogs, m_controls.status, fileName,
            ResultsCsvText(m_session.results, m_session.store.files, m_tabs.Results(), m_comparisons->Comparisons()));
}

void ResultsController::mnuexportaavso_Click()
{
    if (!HasResults())
        return;
    if (!m_aavso) {
        m_aavso = new AavsoDialog(m_dialogs, *m_comparisons, m_controls.window);
        connect(m_aavso, &QDialog::accepted, this, &ResultsController::ExportAavso);
    }
    m_aavso->SetSettings(m_remembered);
    m_aavso->open();
}

void ResultsController::Remember(const AavsoSettings& settings)
{
    m_remembered = settings;
    // Kept for the next export: nothing to say about where.
    WriteOrReport(m_dialogs, nullptr, AavsoSettingsFile(m_programFolder), AavsoSettingsText(settings));
}

void ResultsController::ExportAavso()
{
    const AavsoSettings settings = m_aavso->Settings();
    Remember(settings);
    const AavsoReport report = AavsoReportText(m_session.results, m_session.store.files, m_tabs.Results(), settings);
    if (!report.problem.empty()) {
        m_dialogs.Message(QString::fromStdString(report.problem) + LeftOutText(report), kAavsoTitle,
            MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    const QString fileName = m_dialogs.SaveFileName({ .title = kAavsoTitle,
        .filter = QStringLiteral("Text files (*.txt) | *.txt|All files (*.*) | *.*"),
        .folder = m_programFolder,
        .fileName = QStringLiteral("aavso.txt"),
        .defaultExtension = QStringLiteral("txt") });
    if (fileName.isEmpty() || !WriteOrReport(m_dialogs, m_controls.status, fileName, report.text)
        || report.leftOut.empty())
        return;
    m_dialogs.Message(QStringLiteral("%1 lines written. Left out:").arg(report.lines) + LeftOutText(report),
        kAavsoTitle, MessageIcon::Information, MessageButtons::Ok);
}

} // namespace lumvane
