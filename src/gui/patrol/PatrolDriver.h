#pragma once

#include "core/patrol/PatrolWalk.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QEventLoop;
class QPushButton;
class QWidget;

namespace lumvane {

class DisplayController;
class Dialogs;
class ImageArea;
class ImageController;
class PatrolProgress;
class RecoveryFile;
class ResultsController;
struct Session;
class StatusBar;
class TabSettings;

/// @brief Where a patrol series stands. One value, owned by the driver.
///
/// The design's patrol-running flag is up in Walking only: then clicks show
/// no messages, Shift means no quick sum, and on a later file they centre
/// with the walk's search radius. Continue toggles the flag: it starts a
/// waiting series walking, and pressed during the walk it lowers the flag
/// while the walk goes on, so clicks are the user's again and the series'
/// end reads as an error, until another press raises it.
enum class PatrolState {
    Idle, ///< no series
    Opening, ///< the first file and the series' dark and flat are being read
    Waiting, ///< waits for Continue: on the first file, or for St1 clicked anew
    Walking, ///< walks the files with the flag up
    WalkingFlagDown, ///< walks the files after Continue was pressed during the walk
    Closing, ///< the window closes: the series ends where it stands, without a message
};

/// @brief Runs a patrol series in the main window: File > Open Patrol
/// Images, the first file, the series' dark and flat, the wait for Continue,
/// then the walk over the numbered files through the same core steps as
/// `lumvane-cli patrol`, with the recovery file written after each file.
///
/// Waiting for Continue is a local event loop; the walk lets the window's
/// events run between stars and between files, so every control stays live.
/// Closing the window ends a series where it stands.
class PatrolDriver : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QWidget* window; ///< whose caption names the file walked
        ImageArea* images;
        StatusBar* status;
        QPushButton* btnconti;
        PatrolProgress* progress;
        QAction* mnufilepatr;
        /// Off with mnufilepatr while a series runs: either would clear or
        /// renumber the running series' table.
        QAction* mnuopen;
        /// View > "Show each file of a series": each file drawn anew with
        /// its own marks, in place of the design's one picture.
        QAction* mnuvieweach;
    };

    PatrolDriver(Session& session, Dialogs& dialogs, const TabSettings& tabs, ImageController& images,
        DisplayController& display, ResultsController& results, Controls controls, const QString& programFolder,
        QObject* parent);

    PatrolState State() const { return m_state; }
    /// The centre search radius a click takes in place of the "Center
    /// search" box: while the flag is up and a later file is current, the
    /// radius of the walk's last measurement, 0 between files.
    std::optional<int> ClickSearchRadius() const;

    /// Runs a whole series from its first file; returns when it ends.
    void ProcessPatrolFile(const QString& firstFile);
    /// The window closes: a waiting or walking series ends without a message.
    void WindowClosing();

public slots:
    void mnufilepatr_Click();
    void btnconti_Click();

signals:
    /// A series started (true) or ended (false).
    void RunningChanged(bool running);
    /// The walk measured a star, to be shown as a click on the full-size view
    /// would show it.
    void Measured(const PatrolMeasurement& measurement);
    /// The walk read, calibrated and measured file `fileNumber` of the series
    /// (2, 3, ...); the results table and the recovery file hold its measurements.
    void FileMeasured(int fileNumber);

private:
    class WindowObserver;

    /// Returns once Continue was pressed; false when the window closed meanwhile.
    bool WaitForContinue();
    /// Asks whether to calibrate with a frame and reads it; false when
    /// declined or unusable.
    bool AskCalibrationFrame(
        const QString& question, const QString& questionTitle, const QString& fileTitle, PlaneId plane);
    /// File 1 read again through the series' calibration once its frames
    /// are chosen; false when it can't be read.
    bool ReadFirstFileCalibrated(const QString& firstFile, SeriesCalibration& calibration);
    /// The walk over files 2, 3, ... until the series ends or the window closes.
    void Walk(const QString& firstFile, SeriesCalibration calibration);
    /// Shows a file of the walk as it is read and calibrated, before its
    /// stars are measured: caption, panel 4, the progress, and the cuts and
    /// picture where they are drawn anew.
    void ShowFile(int fileNumber, const std::string& fileName);
    /// Shows what a step's read and calibration left, as an opened image would.
    void ShowStep(const PatrolStepResult& step);
    /// The results so far to the recovery file in the program's folder; a
    /// failure is told once a series, and the walk goes on.
    void WriteRecovery(RecoveryFile& recovery);
    void EndOfSeries();

    Session& m_session;
    Dialogs& m_dialogs;
    const TabSettings& m_tabs;
    ImageController& m_images;
    DisplayController& m_display;
    ResultsController& m_results;
    Controls m_controls;
    QString m_programFolder;
    PatrolState m_state = PatrolState::Idle;
    /// The centre search radius of the walk's last measurement; 0 between files.
    int m_walkSearchRadius = 0;
    bool m_calibrating = false; ///< the series has a dark or a flat
    /// The cuts of the file walked were proposed from it as calibrated, not
    /// taken from its read.
    bool m_cutsProposed = false;
    bool m_refusalShown = false; ///< the too-small frame was reported for this series
    bool m_recoveryFailureShown = false; ///< the recovery file's failure was told for this series
    QEventLoop* m_wait = nullptr; ///< while waiting for Continue
};

} // namespace lumvane
