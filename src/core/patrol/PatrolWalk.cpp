#include "core/patrol/PatrolWalk.h"

#include "core/patrol/SeriesNaming.h"
#include "core/results/RememberStar.h"

#include <algorithm>
#include <cmath>

namespace lumvane {
namespace {

/// True when the click measured every diaphragm that holds a radius.
bool Complete(const ClickResult& click)
{
    return !click.edgeStop.has_value();
}

/// True when the click measured at least one diaphragm.
bool MeasuredAny(const ClickResult& click)
{
    return std::any_of(click.diaphragms.begin(), click.diaphragms.end(), [](const DiaphragmResult& d) {
        return d.outcome == DiaphragmOutcome::Measured || d.outcome == DiaphragmOutcome::Trapped;
    });
}

/// The settings of the walk's clicks: those of the full-size view.
ClickSettings WalkClick(const PatrolSettings& settings, int searchRadius)
{
    ClickSettings click = settings.click;
    click.searchRadius = searchRadius;
    click.addend = kFullViewAddend;
    return click;
}

} // namespace

int St1SearchRadius(double search)
{
    const double radius = std::floor(2.0 * search) + 3.0;
    return static_cast<int>(std::clamp(radius, 0.0, double { kMaxSearchRadius }));
}

PatrolMeasurement MeasureAndRemember(PatrolData data, int slot, float x, float y, const ClickSettings& settings)
{
    const int fileNumber = data.store.files.CurrentFile();
    PatrolMeasurement measurement;
    measurement.slot = slot;
    measurement.x = x;
    measurement.y = y;
    measurement.searchRadius = settings.searchRadius;
    measurement.click = MeasureClick(data.store.img, x, y, settings, St1NetCounts(data.table, fileNumber), data.last);
    if (Complete(measurement.click))
        measurement.remembered = RememberStar(data.table, slot, fileNumber, StarRecordOf(data.last, settings.radii));
    return measurement;
}

StandardsResult FindStandards(PatrolData data, const PatrolSettings& settings, PatrolObserver& observer)
{
    const int fileNumber = data.store.files.CurrentFile();
    const int positionRow = ResultsTable::PositionRow(fileNumber);
    StandardsResult result;
    result.st1StoredX = data.table.Cell(ResultsTable::NetColumn(0), positionRow);
    result.st1StoredY = data.table.Cell(ResultsTable::ErrorColumn(0), positionRow);

    const ClickSettings click = WalkClick(settings, St1SearchRadius(settings.search));
    const auto measureSt1 = [&](PatrolMeasurementKind kind, float x, float y) {
        PatrolMeasurement measurement;
        measurement.kind = kind;
        measurement.x = x;
        measurement.y = y;
        measurement.searchRadius = click.searchRadius;
        measurement.click = MeasureClick(data.store.img, x, y, click, St1NetCounts(data.table, fileNumber), data.last);
        observer.Measured(measurement);
        return measurement.click;
    };
    const ClickResult atStoredPlace
        = measureSt1(PatrolMeasurementKind::St1AtStoredPlace, result.st1StoredX, result.st1StoredY);
    measureSt1(PatrolMeasurementKind::St1AtFoundCentre, data.last.centreX, data.last.centreY);

    if (fileNumber > 1) {
        const float previous = data.table.Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(fileNumber - 1, 0));
        // A fifth in double precision, as the single counts are compared.
        result.st1Lost = 0.2 * static_cast<double>(previous) > static_cast<double>(data.last.net[0])
            || !MeasuredAny(atStoredPlace);
    }
    if (result.st1Lost)
        return result;
    return MeasureSeriesStars(data, result.st1StoredX, result.st1StoredY, settings, observer);
}

StandardsResult MeasureSeriesStars(
    PatrolData data, float st1StoredX, float st1StoredY, const PatrolSettings& settings, PatrolObserver& observer)
{
    StandardsResult result;
    result.st1StoredX = st1StoredX;
    result.st1StoredY = st1StoredY;
    result.shiftX = data.last.centreX - st1StoredX;
    result.shiftY = data.last.centreY - st1StoredY;

    const ClickSettings click = WalkClick(settings, CentreSearchRadius(settings.search));
    // Row 5(n - 1) holds the places found on the previous file; remembering
    // writes row 5n, so the places read here stay as they were.
    const int positionRow = ResultsTable::PositionRow(data.store.files.CurrentFile());
    for (int slot = 0; slot < kSeriesStars; ++slot) {
        const float x = data.table.Cell(ResultsTable::NetColumn(slot), positionRow);
        const float y = data.table.Cell(ResultsTable::ErrorColumn(slot), positionRow);
        if (x == 0.0F || y == 0.0F)
            continue;
        const PatrolMeasurement measurement
            = MeasureAndRemember(data, slot, x + result.shiftX, y + result.shiftY, click);
        result.remembered += measurement.remembered ? 1 : 0;
        observer.Measured(measurement);
    }
    return result;
}

void StartPatrolSeries(ImageStore& store, ResultsTable& table)
{
    table.Clear();
    store.files.Clear();
    store.files.SetCurrentFile(1);
}

PatrolWalk::PatrolWalk(std::string_view firstFile, SeriesCalibration calibration)
    : m_stem(SeriesStem(firstFile))
    , m_calibration(calibration)
{
}

PatrolStepResult PatrolWalk::Step(PatrolData data, const PatrolSettings& settings, PatrolObserver& observer)
{
    if (m_waitingForSt1) {
        PatrolStepResult result = m_lostFile;
        if (data.last.centreX == 0.0F || data.last.centreY == 0.0F)
            return result;
        m_waitingForSt1 = false;
        result.step = PatrolStep::FileDone;
        result.standards
            = MeasureSeriesStars(data, result.standards.st1StoredX, result.standards.st1StoredY, settings, observer);
        return result;
    }

    FileList& files = data.store.files;
    const int fileNumber = files.CurrentFile() + 1;
    PatrolStepResult result;
    result.fileNumber = fileNumber;
    const auto fileName = SeriesFileName(m_stem, fileNumber);
    if (!fileName) {
        result.fileNumber = fileNumber - 1;
        return result;
    }
    result.fileName = *fileName;
    files.SetCurrentFile(fileNumber);
    result.read = m_calibration.Read(data.store, *fileName, data.random, result.calibration);
    if (!result.read.GaveImage()) {
        // Nothing new in IMG to measure: the series ends with the last file read.
        files.SetCurrentFile(fileNumber - 1);
        result.fileNumber = fileNumber - 1;
        return result;
    }
    observer.FileRead(fileNumber, *fileName);

    result.standards = FindStandards(data, settings, observer);
    if (result.standards.st1Lost) {
        result.step = PatrolStep::St1Lost;
        m_waitingForSt1 = true;
        m_lostFile = result;
        return result;
    }
    result.step = PatrolStep::FileDone;
    return result;
}

} // namespace lumvane
