#include "gui/patrol/PatrolProgress.h"

#include "core/patrol/SeriesNaming.h"

#include <QFile>

#include <algorithm>

namespace lumvane {

PatrolProgress::PatrolProgress(QWidget* parent)
    : QProgressBar(parent)
{
    setObjectName(QStringLiteral("patrolProgress"));
    setToolTip(QStringLiteral("Patrol files measured"));
    setFormat(QStringLiteral("%v / %m"));
    setRange(0, 0);
    setMaximumWidth(160);
    hide();
}

void PatrolProgress::CountSeries(const QString& firstFile)
{
    // Range first: a value above the old maximum would be refused.
    setRange(0, CountFollowingSeriesFiles(QFile::encodeName(firstFile).toStdString()));
    setValue(0);
    UpdateVisibility();
}

void PatrolProgress::RunningChanged(bool running)
{
    m_running = running;
    UpdateVisibility();
}

void PatrolProgress::FileMeasured(int fileNumber)
{
    const int walked = fileNumber - 1;
    setMaximum(std::max(maximum(), walked));
    setValue(walked);
    UpdateVisibility();
}

void PatrolProgress::UpdateVisibility()
{
    // A range of 0 to 0 would draw Qt's busy indicator, not a count.
    setVisible(m_running && maximum() > 0);
}

} // namespace lumvane
