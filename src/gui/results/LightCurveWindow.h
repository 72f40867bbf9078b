#pragma once

#include "core/app/Session.h"
#include "core/results/LightCurve.h"
#include "core/results/ResultsFile.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace lumvane {

class ComparisonTable;
class Dialogs;
class LightCurvePlot;

/// @brief The light curve window `frmLightCurve`: every remembered star's
/// magnitude against the mid-exposure JD, or the file number when a file has
/// no date, for the diaphragm of `cbodiaphragm` ("r = 8"). `cbomagnitudes`
/// chooses the magnitudes: the results file's (relative to St1 or
/// instrumental) or the ensemble of the comparison stars typed in
/// `tblcomparisons`. Each star has a colour of its own, named in the legend
/// beside the plot; the check star of `cbocheck` is named so there; a
/// saturated point is hollow. Beside the plot `tblsummary` (sortable) sums up
/// each star over the series and marks those that vary; a click on a point
/// selects its star there. `btnsavepng` saves the plot as a PNG picture.
///
/// Refresh() takes the session's results anew (the main window calls it after
/// each file of a patrol series, so the curve grows as the series walks).
class LightCurveWindow : public QWidget {
    Q_OBJECT

public:
    LightCurveWindow(Dialogs& dialogs, const Session& session, std::function<ResultsFileSettings()> settings,
        ComparisonTable& comparisons, const QString& folder, QWidget* parent = nullptr);

    /// The curve shown now.
    const LightCurve& Curve() const;
    /// Where the plot places the curve now, in the plot's pixels.
    LightCurveLayout Layout() const;
    /// The tool tip over a pixel of the plot: the point's file name, time and
    /// value; empty away from every point.
    QString ToolTipAt(QPointF plotPixel) const;

public slots:
    void Refresh();
    void btnsavepng_Click();

private:
    /// Selects the summary's row of the star whose point lies at the pixel.
    void SelectStarAt(QPointF plotPixel);

    Dialogs& m_dialogs;
    const Session& m_session;
    std::function<ResultsFileSettings()> m_settings;
    ComparisonTable& m_comparisons;
    QString m_folder;
    QComboBox* m_cbodiaphragm;
    QComboBox* m_cbomagnitudes;
    QComboBox* m_cbocheck;
    LightCurvePlot* m_plot;
    QStandardItemModel* m_summary;
    QSortFilterProxyModel* m_sortedSummary;
    QTableView* m_tblsummary;
};

} // namespace lumvane
