#pragma once

#include "core/common/UniformRandom.h"
#include "core/image/FitsReader.h"
#include "core/image/ImageStore.h"
#include "core/patrol/SeriesCalibration.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/results/ResultsTable.h"

#include <string>
#include <string_view>

namespace lumvane {

/// The slots a series re-measures on every file: St1 and slots 1..20. Var3
/// (21) and Var4 (22) keep only what was remembered on the first file.
inline constexpr int kSeriesStars = 21;

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
    St1AtStoredPlace, ///< St1 at its place on the previous file
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
    /// The star was recorded under its slot (Star only): its label goes at
    /// StarLabelPosition of the last centre.
    bool remembered = false;
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
    float shiftX = 0.0F; ///< the field's shift: St1's centre found less its stored place
    float shiftY = 0.0F;
    int remembered = 0; ///< stars recorded for this file
};

/// @brief What a click at (x, y) followed by the star button of `slot` does,
/// on the current file: MeasureClick, then RememberStar with the last
/// centre, net counts and errors and the radii.
///
/// A click stopped at the image's edge before every radius was measured is
/// not remembered: the last star's values would still hold another star's
/// counts for the radii it did not reach.
PatrolMeasurement MeasureAndRemember(PatrolData data, int slot, float x, float y, const ClickSettings& settings);

/// @brief Re-finds St1 on the current file n and, when it is there, measures
/// and remembers every star remembered on the previous file.
///
/// St1 is measured at its stored place (row 5(n - 1)) with the search radius
/// St1SearchRadius, then again at the centre found. It is lost when n > 1 and
/// a fifth of its diaphragm-0 net counts on file n - 1 is above the net
/// counts now, or when nothing could be measured at its stored place (a
/// diaphragm leaving the image, or no St1 stored). Lost, the walk stops here
/// (st1Lost): the user clicks St1, and MeasureSeriesStars goes on. Otherwise
/// MeasureSeriesStars follows at once.
StandardsResult FindStandards(PatrolData data, const PatrolSettings& settings, PatrolObserver& observer);

/// @brief The field's shift and the stars of the current file: dX, dY = the
/// last measured centre less St1's stored place; then for slots 0..20 whose
/// stored X and Y are both non-zero, MeasureAndRemember at the stored place
/// plus the shift, with the search radius of the "Center search" box.
StandardsResult MeasureSeriesStars(
    PatrolData data, float st1StoredX, float st1StoredY, const PatrolSettings& settings, PatrolObserver& observer);

/// @brief Starts a series: the results table and the file lists emptied,
/// file 1 current. File 1 and the series' dark and flat are read next.
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
    StandardsResult standards;
};

/// @brief The walk over files 2, 3, ... of a series, one file a Step.
///
/// File 1 is read (and stays uncalibrated) and its stars remembered before the
/// walk starts. Each Step takes the next file number n, reads stem + ".nnn"
/// into IMG, calibrates it and runs FindStandards. A file that can't be read
/// as an image, or n = 1000, ends the series: the file number goes back to
/// the last file read. When St1 is lost the walk waits on that file: the next
/// Step measures its stars from the centre the user's click left in `last`,
/// or reports St1 lost again while that centre is (0, 0).
class PatrolWalk {
public:
    PatrolWalk(std::string_view firstFile, SeriesCalibration calibration);

    PatrolStepResult Step(PatrolData data, const PatrolSettings& settings, PatrolObserver& observer);

    bool WaitingForSt1() const { return m_waitingForSt1; }
    const std::string& Stem() const { return m_stem; }

private:
    std::string m_stem;
    SeriesCalibration m_calibration;
    bool m_waitingForSt1 = false;
    PatrolStepResult m_lostFile; ///< the file St1 was lost on, while waiting
};

} // namespace lumvane
