#pragma once

#include "core/app/Session.h"
#include "core/results/LightCurve.h"
#include "core/results/ResultsFile.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QPushButton;

namespace lumvane {

class Dialogs;
class LightCurvePlot;

/// @brief The light curve window `frmLightCurve`: every remembered star's
/// magnitude (as the results file writes it) against the mid-exposure JD, or
/// the file number when a file has no date, for the diaphragm of
/// `cbodiaphragm`. The variables and the check star of `cbocheck` stand out
/// in colours of their own; `btnsavepng` saves the plot as a PNG picture.
///
/// Refresh() takes the session's results anew (the main window calls it after
/// each file of a patrol series, so the curve grows as the series walks).
class LightCurveWindow : public QWidget {
    Q_OBJECT

public:
    LightCurveWindow(Dialogs& dialogs, const Session& session, std::function<ResultsFileSettings()> settings,
        const QString& folder, QWidget* parent = nullptr);

    /// The curve shown now.
    const LightCurve& Curve() const;
    /// The tool tip over a pixel of the plot: the point's file name, time and
    /// value; empty away from every point.
    QString ToolTipAt(QPointF plotPixel) const;

public slots:
    void Refresh();
    void btnsavepng_Click();

private:
    Dialogs& m_dialogs;
    const Session& m_session;
    std::function<ResultsFileSettings()> m_settings;
    QString m_folder;
    QComboBox* m_cbodiaphragm;
    QComboBox* m_cbocheck;
    LightCurvePlot* m_plot;
};

} // namespace lumvane
