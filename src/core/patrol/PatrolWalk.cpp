#include "core/patrol/PatrolWalk.h"

#include "core/common/Rounding.h"
#include "core/image/Calibration.h"
#include "core/patrol/SeriesNaming.h"
#include "core/results/RememberStar.h"

#include <algorithm>
#include <cmath>

namespace lumvane {
namespace {

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

/// The click at (x, y) on the current file, as the walk reports it.
PatrolMeasurement MeasureAt(PatrolData data, float x, float y, const ClickSettings& click)
{
    PatrolMeasurement measurement;
    measurement.x = x;
    measurement.y = y;
    measurement.searchRadius = click.searchRadius;
    measurement.click = MeasureClick(
        data.store.img, x, y, click, St1NetCounts(data.table, data.store.files.CurrentFile()), data.last);
    return measurement;
}

/// St1 measured where it is expected, then again at the centre found there;
/// what the first measurement did.
ClickResult MeasureSt1(PatrolData data, const ClickSettings& click, float x, float y, PatrolObserver& observer)
{
    ClickResult first;
    for (const PatrolMeasurementKind kind :
        { PatrolMeasurementKind::St1AtExpectedPlace, PatrolMeasurementKind::St1AtFoundCentre }) {
        PatrolMeasurement measurement = MeasureAt(data, x, y, click);
        measurement.kind = kind;
        observer.Measured(measurement);
        if (kind == PatrolMeasurementKind::St1AtExpectedPlace)
            first = measurement.click;
        x = data.last.centreX;
        y = data.last.centreY;
    }
    return first;
}

/// Every star of the previous file recorded Unmeasured on the current file
/// where it was: a file whose field can't be placed.
StandardsResult KeepStarsUnmeasured(PatrolData data, const PatrolSettings& settings)
{
    const int fileNumber = data.store.files.CurrentFile();
    StandardsResult result;
    const int positionRow = ResultsTable::PositionRow(fileNumber);
    for (int slot = 0; slot < kStarSlots; ++slot) {
        StarRecord star;
        star.centreX = data.table.Cell(ResultsTable::NetColumn(slot), positionRow);
        star.centreY = data.table.Cell(ResultsTable::ErrorColumn(slot), positionRow);
        for (std::size_t k = 0; k < star.radius.size(); ++k)
            star.radius[k] = ToSingle(settings.click.radii[k]);
        star.status.fill(MeasureStatus::Unmeasured);
        if (RememberStar(data.table, slot, fileNumber, star)) {
            ++result.remembered;
            result.unmeasured.push_back(slot);
        }
        if (slot == 0) {
            result.st1StoredX = star.centreX;
            result.st1StoredY = star.centreY;
        }
    }
    return result;
}

} // namespace

int St1SearchRadius(double search)
{
    const double radius = std::floor(2.0 * search) + 3.0;
    return static_cast<int>(std::clamp(radius, 0.0, double { kMaxSearchRadius }));
}

PatrolMeasurement MeasureAndRemember(PatrolData data, int slot, float x, float y, const ClickSettings& settings)
{
    PatrolMeasurement measurement = MeasureAt(data, x, y, settings);
    measurement.slot = slot;
    const auto record = RememberLastStar(data.table, slot, data.store.files.CurrentFile(), data.last, settings.radii);
    measurement.remembered = record.has_value();
    if (record) {
        measurement.recordedX = record->centreX;
        measurement.recordedY = record->centreY;
        measurement.status = RecordedStatus(*record);
    }
    return measurement;
}

StandardsResult FindStandards(
    PatrolData data, const PatrolSettings& settings, const FieldOnFile& field, PatrolObserver& observer)
{
    const int fileNumber = data.store.files.CurrentFile();
    const int positionRow = ResultsTable::PositionRow(fileNumber);
    StandardsResult result;
    result.st1StoredX = data.table.Cell(ResultsTable::NetColumn(0), positionRow);
    result.st1StoredY = data.table.Cell(ResultsTable::ErrorColumn(0), positionRow);
    const bool st1Stored = result.st1StoredX != 0.0F && result.st1StoredY != 0.0F;
    const ClickSettings click = WalkClick(settings, St1SearchRadius(settings.search));
    const auto st1Shift = [&] {
        return FieldShift { data.last.centreX - result.st1StoredX, data.last.centreY - result.st1StoredY };
    };

    // The stars move by the field's shift where it was found, else by St1's;
    // the shift told is St1's wherever St1 was found.
    FieldShift shift;
    FieldShift told;
    switch (field.status) {
    case FieldShiftStatus::Found: {
        shift = told = field.sincePrevious;
        if (!st1Stored)
            break;
        const float expectedX = result.st1StoredX + shift.x;
        const float expectedY = result.st1StoredY + shift.y;
        MeasureSt1(data, click, expectedX, expectedY, observer);
        // A centre away from where the field puts St1 is another star's.
        const bool found = data.last.centreX != 0.0F && data.last.centreY != 0.0F;
        if (found && std::hypot(data.last.centreX - expectedX, data.last.centreY - expectedY) <= kSt1Agreement)
            told = st1Shift();
        break;
    }
    case FieldShiftStatus::TooFewStars: {
        // Without the field, St1 where it was and a fifth of its counts decide.
        const bool measured = MeasuredAny(MeasureSt1(data, click, result.st1StoredX, result.st1StoredY, observer));
        if (fileNumber > 1) {
            const float previous
                = data.table.Cell(ResultsTable::NetColumn(0), ResultsTable::ValueRow(fileNumber - 1, 0));
            // A fifth in double precision, as the single counts are compared.
            result.st1Lost = 0.2 * static_cast<double>(previous) > static_cast<double>(data.last.net[0]) || !measured;
        }
        shift = told = st1Shift();
        break;
    }
    case FieldShiftStatus::NotFound:
        result.st1Lost = fileNumber > 1;
        break;
    }
    if (result.st1Lost)
        return result;
    StandardsResult stars = MeasureSeriesStars(data, shift, settings, observer);
    stars.st1StoredX = result.st1StoredX;
    stars.st1StoredY = result.st1StoredY;
    stars.shift = told;
    return stars;
}

StandardsResult MeasureSeriesStars(
    PatrolData data, FieldShift shift, const PatrolSettings& settings, PatrolObserver& observer)
{
    const int fileNumber = data.store.files.CurrentFile();
    StandardsResult result;
    result.shift = shift;
    data.table.SetShift(fileNumber, shift);

    const ClickSettings click = WalkClick(settings, CentreSearchRadius(settings.search));
    // Row 5(n - 1) holds the places found on the previous file; remembering
    // writes row 5n, so the places read here stay as they were.
    const int positionRow = ResultsTable::PositionRow(fileNumber);
    for (int slot = 0; slot < kStarSlots; ++slot) {
        const float x = data.table.Cell(ResultsTable::NetColumn(slot), positionRow);
        const float y = data.table.Cell(ResultsTable::ErrorColumn(slot), positionRow);
        if (x == 0.0F || y == 0.0F)
            continue;
        const PatrolMeasurement measurement = MeasureAndRemember(data, slot, x + shift.x, y + shift.y, click);
        result.remembered += measurement.remembered ? 1 : 0;
        if (measurement.status == MeasureStatus::Unmeasured)
            result.unmeasured.push_back(slot);
        observer.Measured(measurement);
    }
    return result;
}

void StartPatrolSeries(ImageStore& store, ResultsTable& table)
{
    table.Clear();
    table.SetShift(1, {});
    store.files.Clear();
    store.files.SetCurrentFile(1);
}

PatrolWalk::PatrolWalk(std::string_view firstFile, SeriesCalibration calibration)
    : m_stem(SeriesStem(firstFile))
    , m_firstNumber(SeriesFirstNumber(firstFile))
    , m_calibration(calibration)
{
}

void PatrolWalk::TakeReference(const ImageStore& store)
{
    const ImagePlane& img = store.img;
    BinnedFrame reference;
    reference.Reset(img.Width(), img.Height());
    reference.AddPlane(img);
    m_reference = FindFieldStars(reference, img);
    // A frame smaller than the image is refused for every file.
    if (m_calibration.Dark() && CoversImage(store.ds, img)) {
        m_darkBins.Reset(img.Width(), img.Height());
        m_darkBins.AddPlane(store.ds);
    }
    if (m_calibration.Flat() && CoversImage(store.ff, img)) {
        m_flatBins.Reset(img.Width(), img.Height());
        m_flatBins.AddPlane(store.ff);
        m_flatBins.Normalise();
    }
    m_referenceTaken = true;
}

FieldShiftResult PatrolWalk::FindField(const ImageStore& store, const SeriesCalibrationOutcome& outcome)
{
    const ImagePlane& img = store.img;
    const auto fits = [&](const BinnedFrame& frame) {
        return frame.Columns() == m_bins.Columns() && frame.Rows() == m_bins.Rows();
    };
    const bool dark = m_calibration.Dark() && !outcome.darkRefused && fits(m_darkBins);
    const bool flat = m_calibration.Flat() && !outcome.flatRefused && fits(m_flatBins);
    m_bins.Calibrate(dark ? &m_darkBins : nullptr, flat ? &m_flatBins : nullptr);
    return MatchFieldStars(m_reference, FindFieldStars(m_bins, img), img.Width(), img.Height());
}

void PatrolWalk::TrackField(const FieldShiftResult& field, FieldShift shift)
{
    // The stars' places on the next file are theirs on this one moved by the
    // field since this file: the field found here, else the shift used here.
    if (field.status == FieldShiftStatus::Found) {
        m_offset = field.shift;
    } else {
        m_offset.x += shift.x;
        m_offset.y += shift.y;
    }
}

PatrolStepResult PatrolWalk::Step(PatrolData data, const PatrolSettings& settings, PatrolObserver& observer)
{
    if (m_waitingForSt1) {
        PatrolStepResult result = m_lostFile;
        if (data.last.centreX == 0.0F || data.last.centreY == 0.0F)
            return result;
        m_waitingForSt1 = false;
        result.step = PatrolStep::FileDone;
        const FieldShift shift { data.last.centreX - result.standards.st1StoredX,
            data.last.centreY - result.standards.st1StoredY };
        const float storedX = result.standards.st1StoredX;
        const float storedY = result.standards.st1StoredY;
        result.standards = MeasureSeriesStars(data, shift, settings, observer);
        result.standards.st1StoredX = storedX;
        result.standards.st1StoredY = storedY;
        TrackField(result.field, shift);
        return result;
    }
    if (!m_referenceTaken)
        TakeReference(data.store);

    FileList& files = data.store.files;
    const int fileNumber = files.CurrentFile() + 1;
    PatrolStepResult result;
    result.fileNumber = fileNumber;
    const auto fileName = SeriesFileName(m_stem, m_firstNumber + fileNumber - 1);
    if (!fileName) {
        result.fileNumber = fileNumber - 1;
        return result;
    }
    result.fileName = *fileName;
    files.SetCurrentFile(fileNumber);
    result.read = m_calibration.Read(data.store, *fileName, data.random, result.calibration, &m_bins);
    if (!result.read.GaveImage()) {
        // Nothing new in IMG to measure: the series ends with the last file read.
        files.SetCurrentFile(fileNumber - 1);
        result.fileNumber = fileNumber - 1;
        return result;
    }
    observer.FileRead(fileNumber, *fileName);

    result.field = FindField(data.store, result.calibration);
    const FieldOnFile field { result.field.status,
        { result.field.shift.x - m_offset.x, result.field.shift.y - m_offset.y } };
    if (result.read.status == FitsReadStatus::Truncated && field.status != FieldShiftStatus::Found) {
        // Part of the file is missing and the field can't be placed there: no
        // star is measured, each stays where it was for the next file.
        result.standards = KeepStarsUnmeasured(data, settings);
    } else {
        result.standards = FindStandards(data, settings, field, observer);
    }
    if (result.standards.st1Lost) {
        result.step = PatrolStep::St1Lost;
        m_waitingForSt1 = true;
        m_lostFile = result;
        return result;
    }
    TrackField(result.field, result.standards.shift);
    result.step = PatrolStep::FileDone;
    return result;
}

} // namespace lumvane
