#pragma once

#include <QProgressBar>

namespace lumvane {

/// @brief The status bar's progress of a patrol series: files walked of the
/// files the series was found to hold before its walk.
///
/// It shows only while a series runs and has files after its first; a file
/// that turns up during the walk beyond the count raises the maximum.
class PatrolProgress : public QProgressBar {
    Q_OBJECT

public:
    explicit PatrolProgress(QWidget* parent = nullptr);

    /// Counts the files that follow `firstFile` in its series (.002 on, in a
    /// row): the bar's maximum; nothing is walked yet.
    void CountSeries(const QString& firstFile);

public slots:
    /// A series started (shown when it has files to walk) or ended (hidden).
    void RunningChanged(bool running);
    /// File `fileNumber` (2, 3, ...) was measured: fileNumber - 1 files walked.
    void FileMeasured(int fileNumber);

private:
    void UpdateVisibility();

    bool m_running = false;
};

} // namespace lumvane
