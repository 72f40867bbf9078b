// The main window's Results menu: the light curve window, the AAVSO report
// and the CSV file of the results.

#include "gui/app/Form1.h"

#include "core/common/FileWrite.h"
#include "core/results/AavsoFile.h"
#include "core/results/CsvFile.h"
#include "gui/app/Dialogs.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/photometry/OptionsPanel.h"
#include "gui/photometry/PhotometryPanel.h"
#include "gui/results/AavsoDialog.h"
#include "gui/results/LightCurveWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace lumvane {
namespace {

const QString kAavsoTitle = QStringLiteral("Export AAVSO");

/// The observer's AAVSO settings, kept in the program's folder beside the
/// settings file, whose format has no room for them.
QString AavsoSettingsFile(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("aavso.ini"));
}

/// Writes `text` to a file; a failure is reported. False when it failed.
bool WriteOrReport(Dialogs& dialogs, const QString& fileName, const std::string& text)
{
    const WriteResult written = WriteFileBytes(QFile::encodeName(fileName).toStdString(), text);
    if (!written.written)
        ShowCannotWriteFile(dialogs, fileName, written);
    return written.written;
}

} // namespace

void Form1::ConnectResults()
{
    connect(
        findChild<QAction*>(QStringLiteral("mnulightcurve")), &QAction::triggered, this, &Form1::mnulightcurve_Click);
    connect(
        findChild<QAction*>(QStringLiteral("mnuexportaavso")), &QAction::triggered, this, &Form1::mnuexportaavso_Click);
    connect(findChild<QAction*>(QStringLiteral("mnuexportcsv")), &QAction::triggered, this, &Form1::mnuexportcsv_Click);
    // The curve grows as a series walks, and starts anew with a series.
    const auto refresh = [this] {
        if (m_lightCurve && m_lightCurve->isVisible())
            m_lightCurve->Refresh();
    };
    connect(m_patrol, &PatrolDriver::FileMeasured, this, refresh);
    connect(m_patrol, &PatrolDriver::RunningChanged, this, refresh);
}

ResultsFileSettings Form1::ResultsSettingsFromTabs() const
{
    return { m_photometry->St1Magnitude(), m_options->SaveRelative(), m_photometry->Radii() };
}

bool Form1::HasResults()
{
    if (m_session.store.files.CurrentFile() > 0)
        return true;
    m_dialogs.Message(
        QStringLiteral("No result to save!"), QStringLiteral("ERROR"), MessageIcon::Critical, MessageButtons::Ok);
    return false;
}

void Form1::mnulightcurve_Click()
{
    if (!m_lightCurve)
        m_lightCurve = new LightCurveWindow(
            m_dialogs, m_session, [this] { return ResultsSettingsFromTabs(); }, m_programFolder, this);
    m_lightCurve->Refresh();
    m_lightCurve->show();
    m_lightCurve->raise();
}

void Form1::mnuexportcsv_Click()
{
    if (!HasResults())
        return;
    const QString fileName = m_dialogs.SaveFileName({ .title = QStringLiteral("Export CSV"),
        .filter = QStringLiteral("CSV files (*.csv) | *.csv|All files (*.*) | *.*"),
        .folder = m_programFolder,
        .fileName = QStringLiteral("results.csv"),
        .defaultExtension = QStringLiteral("csv") });
    if (!fileName.isEmpty())
        WriteOrReport(
            m_dialogs, fileName, ResultsCsvText(m_session.results, m_session.store.files, ResultsSettingsFromTabs()));
}

void Form1::mnuexportaavso_Click()
{
    if (!HasResults())
        return;
    if (!m_aavso) {
        m_aavso = new AavsoDialog(m_dialogs, this);
        connect(m_aavso, &QDialog::accepted, this, &Form1::ExportAavso);
    }
    QFile remembered(AavsoSettingsFile(m_programFolder));
    AavsoSettings settings;
    if (remembered.open(QIODevice::ReadOnly))
        settings = AavsoSettingsFromText(remembered.readAll().toStdString());
    m_aavso->SetSettings(settings);
    m_aavso->open();
}

void Form1::ExportAavso()
{
    const AavsoSettings settings = m_aavso->Settings();
    WriteOrReport(m_dialogs, AavsoSettingsFile(m_programFolder), AavsoSettingsText(settings));
    const AavsoReport report
        = AavsoReportText(m_session.results, m_session.store.files, ResultsSettingsFromTabs(), settings);
    if (!report.problem.empty()) {
        m_dialogs.Message(
            QString::fromStdString(report.problem), kAavsoTitle, MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    const QString fileName = m_dialogs.SaveFileName({ .title = kAavsoTitle,
        .filter = QStringLiteral("Text files (*.txt) | *.txt|All files (*.*) | *.*"),
        .folder = m_programFolder,
        .fileName = QStringLiteral("aavso.txt"),
        .defaultExtension = QStringLiteral("txt") });
    if (fileName.isEmpty() || !WriteOrReport(m_dialogs, fileName, report.text) || report.leftOut.empty())
        return;
    QString list = QStringLiteral("%1 lines written. Left out:").arg(report.lines);
    for (const AavsoLeftOut& file : report.leftOut)
        list += QStringLiteral("\nfile %1 (%2): %3")
                    .arg(file.file)
                    .arg(QString::fromStdString(file.fileName), QString::fromStdString(file.reason));
    m_dialogs.Message(list, kAavsoTitle, MessageIcon::Information, MessageButtons::Ok);
}

} // namespace lumvane
