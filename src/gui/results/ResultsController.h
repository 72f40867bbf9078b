#pragma once

#include "core/results/AavsoFile.h"

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace lumvane {

class AavsoDialog;
class ComparisonTable;
class Dialogs;
class LightCurveWindow;
struct Session;
class StatusBar;
class TabSettings;

/// @brief The results of the run: File > Save Data writes the results file,
/// the Results menu shows the light curve and exports the AAVSO report and
/// the CSV file.
class ResultsController : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget* window; ///< over which the light curve and the AAVSO dialog open
        StatusBar* status; ///< says where a save went
        QAction* mnusave;
        QAction* mnulightcurve;
        QAction* mnuexportaavso;
        QAction* mnuexportcsv;
    };

    ResultsController(const Session& session, Dialogs& dialogs, const TabSettings& tabs, Controls controls,
        const QString& programFolder, QObject* parent);

    /// Asks for a name and writes the results file. True when written.
    bool SaveResults();
    /// Stars were remembered since the results file was last written.
    bool Unsaved() const { return m_unsaved; }

public slots:
    void mnusave_Click();
    void mnulightcurve_Click();
    void mnuexportaavso_Click();
    void mnuexportcsv_Click();
    /// The results changed under a patrol series: a light curve on show
    /// takes them anew.
    void RefreshLightCurve();
    /// A star was remembered, by a click or by the walk: the results are not
    /// saved until the results file is written again.
    void ResultsChanged();

private:
    /// "No result to save!" when no file was read yet; false then.
    bool HasResults();
    /// Writes the AAVSO report with the dialog's settings, once it is accepted.
    void ExportAavso();
    /// Keeps the AAVSO settings in "aavso.ini"; a failure is reported.
    void Remember(const AavsoSettings& settings);

    const Session& m_session;
    Dialogs& m_dialogs;
    const TabSettings& m_tabs;
    Controls m_controls;
    QString m_programFolder;
    AavsoSettings m_remembered; ///< as "aavso.ini" keeps them
    ComparisonTable* m_comparisons; ///< the ensemble's stars, shown by the AAVSO dialog and the light curve
    LightCurveWindow* m_lightCurve = nullptr; ///< made when first asked for
    AavsoDialog* m_aavso = nullptr; ///< made when first asked for
    bool m_unsaved = false;
};

} // namespace lumvane
