#pragma once

#include "core/patrol/PatrolWalk.h"

#include <QObject>
#include <QString>

class QEventLoop;

namespace lumvane {

class Dialogs;
class Form1;

/// @brief Runs a patrol series in the main window: the first file, the
/// series' dark and flat, the wait for Continue, then the walk over the
/// numbered files through the same core steps as `lumvane-cli patrol`.
///
/// Waiting for Continue is a local event loop; the walk lets the window's
/// events run between stars and between files, so every control stays live.
/// Closing the window ends a series where it stands.
class PatrolDriver : public QObject {
    Q_OBJECT

public:
    PatrolDriver(Form1& form, Dialogs& dialogs);

    /// True from the first file's read to the end of the series.
    bool Running() const { return m_running; }

    /// Runs a whole series from its first file; returns when it ends.
    void ProcessPatrolFile(const QString& firstFile);
    /// Continue: toggles the patrol-running flag; at 1 a waiting series goes on.
    void btnconti_Click();
    /// The window closes: a waiting or walking series ends without a message.
    void WindowClosing();

signals:
    /// A series started (true) or ended (false).
    void RunningChanged(bool running);
    /// The walk read, calibrated and measured file `fileNumber` of the series
    /// (2, 3, ...); the results table holds its measurements.
    void FileMeasured(int fileNumber);

private:
    /// Returns once the flag is 1; false when the window closed meanwhile.
    bool WaitForContinue();
    /// Asks for and reads a calibration frame; false when declined or unusable.
    bool AskCalibrationFrame(
        const QString& question, const QString& questionTitle, const QString& fileTitle, PlaneId plane);
    /// The walk over files 2, 3, ... until the series ends or the window closes.
    void Walk(const QString& firstFile, SeriesCalibration calibration);
    /// Shows what a step's read and calibration left, as an opened image would.
    void ShowStep(const PatrolStepResult& step);
    void EndOfSeries();
    void SetRunning(bool running);

    Form1& m_form;
    Dialogs& m_dialogs;
    bool m_running = false;
    bool m_closing = false;
    bool m_refusalShown = false; ///< the too-small frame was reported for this series
    QEventLoop* m_wait = nullptr; ///< while waiting for Continue
};

} // namespace lumvane
