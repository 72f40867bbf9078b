#pragma once

#include <QProgressBar>

namespace lumvane {

/// @brief The status bar's progress of a patrol series: the file being
/// worked on of the files the series was found to hold, the count status
/// bar panel 4 gives.
///
/// It shows only while a series runs; a file that turns up during the walk
/// beyond the count raises the maximum.
class PatrolProgress : public QProgressBar {
    Q_OBJECT

public:
    explicit PatrolProgress(QWidget* parent = nullptr);

    /// Counts the files of the series of `firstFile`: it and those that follow
    /// it (.002 on, in a row). File 1 is the one shown.
    void CountSeries(const QString& firstFile);
    /// File `fileNumber` of the series is worked on.
    void ShowFile(int fileNumber);

public slots:
    /// A series started (shown) or ended (hidden).
    void RunningChanged(bool running);
};

} // namespace lumvane
