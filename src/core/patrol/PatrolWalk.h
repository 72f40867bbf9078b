#pragma once

#include "core/common/UniformRandom.h"
#include "core/image/FitsReader.h"
#include "core/image/ImageStore.h"
#include "core/patrol/SeriesCalibration.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/results/ResultsTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumvane {

/// @brief St1's search radius on a series file: Int(2 x the "Center search"
/// value) + 3, kept within 0..13 (2 gives 7, 6 gives 13).
int St1SearchRadius(double search);

/// @brief What the walk reads from the Photometry and Options tabs; the GUI
/// reads its controls anew for every file.
struct PatrolSettings {
    /// Radii, centring method, options in force and St1's magnitude. The
    /// search radius and the addend are the walk's own: it measures through
    /// the full-size view's click handler.
    ClickSettings click;
    double search = 2.0; ///< the numeric value of "Center search" (`txtmp`)
};

/// The parts of the session a series works on.
struct PatrolData {
    ImageStore& store; ///< IMG, DS, FF, header and file lists; the current file number
    ResultsTable& table;
    LastStar& last; ///< what the last measurement left (`starCentre`, `radiusNet`, `radiusError`)
    UniformRandom& random; ///< the run's sequence, for the cut proposal of each read
};

enum class PatrolMeasurementKind {
    /// St1 where it is expected: its place on the previous file, moved by the
    /// field's shift when one was found
    St1AtExpectedPlace,
    St1AtFoundCentre, ///< St1 again at the centre just found
    Star, ///< a remembered star at its shifted place (St1 too, a third time)
};

/// @brief One measurement of the walk: what the full-size view shows for it.
struct PatrolMeasurement {
    PatrolMeasurementKind kind = PatrolMeasurementKind::Star;
    int slot = 0;
    float x = 0.0F; ///< the point measured, image coordinates (pixels)
    float y = 0.0F;
    int searchRadius = 0;
    ClickResult click; ///< circles to draw and the read-out fields' texts
    /// The star was recorded under its slot (Star only) at (recordedX,
    /// recordedY), its centre or the point measured: its label goes at
    /// StarLabelPosition of that place.
    bool remembered = false;
    float recordedX = 0.0F;
    float recordedY = 0.0F;
    MeasureStatus status = MeasureStatus::Unmeasured; ///< what the record is worth (RecordedStatus)
};

/// @brief Hears the walk as it goes, so a window can show each file and each
/// measurement and let its events run in between.
class PatrolObserver {
public:
    virtual ~PatrolObserver() = default;
    /// A file was read and calibrated; its stars are measured next.
    virtual void FileRead(int /*fileNumber*/, const std::string& /*fileName*/) { }
    /// After each measurement, in the order made.
    virtual void Measured(const PatrolMeasurement& /*measurement*/) { }
};

/// What the walk did with St1 and the remembered stars on one file.
struct StandardsResult {
    bool st1Lost = false;
    float st1StoredX = 0.0F; ///< St1's place on the previous file (X0, Y0)
    float st1StoredY = 0.0F;
    /// The field's shift since the previous file as told: St1's centre found
    /// less its stored place, or the field's where St1 was not found there.
    FieldShift shift;
    int remembered = 0; ///< stars recorded for this file
    std::vector<int> unmeasured; ///< the slots recorded Unmeasured, in slot order
};

/// @brief What a click at (x, y) followed by the star button of `slot` does,
/// on the current file: MeasureClick, then RememberLastStar. A star that
/// could not be measured is remembered as Unmeasured at (x, y).
PatrolMeasurement MeasureAndRemember(PatrolData data, int slot, float x, float y, const ClickSettings& settings);

/// What the walk knows of the field on the current file.
struct FieldOnFile {
    FieldShiftStatus status = FieldShiftStatus::TooFewStars;
    FieldShift sincePrevious; ///< Found: the field's shift since the previous file
};

/// The farthest St1's centre may lie from where the field's shift puts it, pixels.
inline constexpr float kSt1Agreement = 2.0F;

/// @brief Re-finds St1 on the current file n and, when it is there, measures
/// and remembers every star remembered on the previous file.
///
/// With the field's shift found, St1 is measured where the shift puts its
/// stored place (row 5(n - 1)), with the search radius St1SearchRadius, then
/// again at the centre found; that centre is St1's when it lies within 2
/// pixels of the expected place, and the shift told (StandardsResult::shift)
/// is then St1's centre less its stored place, else the field's. The stars,
/// St1 among them, are measured at the field's shift (MeasureSeriesStars).
/// With a reference frame of too few stars to tell a shift, St1 is measured
/// at its stored place and again at the centre found, and it is lost when
/// n > 1 and a fifth of its diaphragm-0 net counts on file n - 1 is above the
/// net counts now, or when nothing could be measured at its stored place;
/// otherwise the stars are measured at St1's shift. With no shift found, St1
/// is lost. Lost, the walk stops here (st1Lost): the user clicks St1, and
/// MeasureSeriesStars goes on at St1's shift.
StandardsResult FindStandards(
    PatrolData data, const PatrolSettings& settings, const FieldOnFile& field, PatrolObserver& observer);

/// @brief The stars of the current file at the field's shift: for every slot
/// whose stored X and Y are both non-zero, MeasureAndRemember at the stored
/// place plus the shift, with the search radius of the "Center search" box. A
/// star not measured is thus looked for again on the next file where the
/// field's shift moved it. The shift is recorded as the file's.
StandardsResult MeasureSeriesStars(
    PatrolData data, FieldShift shift, const PatrolSettings& settings, PatrolObserver& observer);

/// @brief Starts a series: the results table and the file lists emptied,
/// file 1 current, its field shift 0. File 1 and the series' dark and flat
/// are read next; once they are chosen, file 1 is read again through the
/// series' calibration (SeriesCalibration::Read) before its stars are marked.
void StartPatrolSeries(ImageStore& store, ResultsTable& table);

enum class PatrolStep {
    FileDone, ///< a file was read, calibrated and measured: Step again for the next
    St1Lost, ///< St1 is probably not on this file: Step again once the user clicked it
    EndOfSeries, ///< the next file can't be read; the file number names the last file read
};

/// @brief What one Step did.
struct PatrolStepResult {
    PatrolStep step = PatrolStep::EndOfSeries;
    int fileNumber = 0; ///< the file worked on; at the end, the last file read
    std::string fileName; ///< its name (at the end, the name tried; empty past 999)
    FitsReadResult read; ///< the read's status and message
    SeriesCalibrationOutcome calibration;
    FieldShiftResult field; ///< the field against file 1's
    StandardsResult standards;
};

/// @brief The walk over files 2, 3, ... of a series, one file a Step.
///
/// File 1 is read, calibrated, and its stars remembered before the walk
/// starts; the first Step takes its stars (FindFieldStars) as the field's
/// reference. Each Step takes the next file number n, reads the file whose
/// number is the first file's plus n - 1 (SeriesFirstNumber: m31.010 is
/// followed by m31.011) into IMG, calibrates it, finds the field's shift
/// against file 1 (MatchFieldStars) and runs FindStandards. A file that can't
/// be read as an image, or a number past 999, ends the series: the file
/// number goes back to the last file read. A file that ends inside its data
/// and shows no shift has every star Unmeasured where it was. When St1 is
/// lost the walk waits on that file: the next Step measures its stars from the
/// centre the user's click left in `last`, or reports St1 lost again while
/// that centre is (0, 0).
class PatrolWalk {
public:
    PatrolWalk(std::string_view firstFile, SeriesCalibration calibration);

    PatrolStepResult Step(PatrolData data, const PatrolSettings& settings, PatrolObserver& observer);

    bool WaitingForSt1() const { return m_waitingForSt1; }
    const std::string& Stem() const { return m_stem; }

private:
    /// File 1's stars, and the bins of the series' dark and flat.
    void TakeReference(const ImageStore& store);
    /// The field of the frame just read against file 1's.
    FieldShiftResult FindField(const ImageStore& store, const SeriesCalibrationOutcome& outcome);
    /// Where the field of the file just measured lies against file 1's:
    /// `field`, or where no shift was found there, the last one moved by the
    /// shift its stars were measured at.
    void TrackField(const FieldShiftResult& field, FieldShift shift);

    std::string m_stem;
    int m_firstNumber = 1; ///< the number in the first file's name
    SeriesCalibration m_calibration;
    bool m_referenceTaken = false;
    std::vector<FieldStar> m_reference; ///< file 1's stars
    BinnedFrame m_bins; ///< the frame being read
    BinnedFrame m_darkBins;
    BinnedFrame m_flatBins; ///< normalised
    /// The field of the last file measured against file 1's.
    FieldShift m_offset;
    bool m_waitingForSt1 = false;
    PatrolStepResult m_lostFile; ///< the file St1 was lost on, while waiting
};

} // namespace lumvane
