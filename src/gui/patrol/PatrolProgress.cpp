#include "gui/patrol/PatrolProgress.h"

#include "core/patrol/SeriesNaming.h"

#include <QFile>

#include <algorithm>

namespace lumvane {

PatrolProgress::PatrolProgress(QWidget* parent)
    : QProgressBar(parent)
{
    setObjectName(QStringLiteral("patrolProgress"));
    setToolTip(QStringLiteral("Patrol file of the files in the series"));
    setFormat(QStringLiteral("%v / %m"));
    setRange(0, 1);
    setMaximumWidth(160);
    hide();
}

void PatrolProgress::CountSeries(const QString& firstFile)
{
    // Range first: a value above the old maximum would be refused.
    setRange(0, 1 + CountFollowingSeriesFiles(QFile::encodeName(firstFile).toStdString()));
    setValue(1);
}

void PatrolProgress::ShowFile(int fileNumber)
{
    setMaximum(std::max(maximum(), fileNumber));
    setValue(fileNumber);
}

void PatrolProgress::RunningChanged(bool running)
{
    setVisible(running);
}

} // namespace lumvane
