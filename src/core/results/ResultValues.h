#pragma once

#include "core/image/FileList.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <optional>
#include <vector>

namespace lumvane {

/// @brief One star's values on one line of the results file.
struct StarValue {
    int slot = 0;
    /// Unmeasured where nothing was recorded: only Ok and Saturated values
    /// are measurements.
    MeasureStatus status = MeasureStatus::Unmeasured;
    float net = 0.0F; ///< net counts in the diaphragm
    float error = 0.0F; ///< magnitude error
    /// The centre found on the file (image coordinates, pixels), or where the
    /// star was looked for when it was not measured.
    float x = 0.0F;
    float y = 0.0F;
    /// -2.5 log10(net / exposure + 0.000001); nothing for a value that is not
    /// a measurement, for an exposure of 0 or where the logarithm has no value.
    std::optional<double> instrumental;
    /// The magnitude the results file writes: the instrumental one plus St1's
    /// offset (0 unless relative to St1).
    std::optional<double> magnitude;
    /// The error of `magnitude`: relative to St1 the star's and St1's errors
    /// added in quadrature (St1's own is exact by definition, 0), else `error`.
    double magnitudeError = 0.0;

    bool Measured() const { return status == MeasureStatus::Ok || status == MeasureStatus::Saturated; }
};

/// @brief One line of the results file: one file and one diaphragm.
struct ResultLine {
    int file = 0;
    int diaphragm = 0;
    float radius = 0.0F; ///< the diaphragm's radius as recorded for the last file, pixels
    std::optional<FieldShift> shift; ///< the file's field shift since the file before, from the walk
    /// The saved stars in slot order; empty when the diaphragm's box holds no
    /// number other than 0.
    std::vector<StarValue> stars;
};

/// @brief The slots the results file holds: those remembered on file 1.
std::vector<int> SavedStarSlots(const ResultsTable& table);

/// @brief Every line of the results file, files 1..N (N the current file
/// number) and for each its diaphragms 0..3, with the file's arithmetic.
///
/// With E the file's exposure and m1 St1's instrumental magnitude on the line
/// (held in single precision), St1's offset is (St1's catalogue magnitude -
/// m1) held in single precision, and 0 unless relative to St1. A line where
/// St1 has no instrumental magnitude has no magnitudes relative to St1.
std::vector<ResultLine> ResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings);

/// @brief The lines of one file (diaphragms 0..3) as ResultLines gives them.
std::vector<ResultLine> FileResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, int file);

/// @brief How one saved star fared over the files of a series.
struct StarTally {
    int slot = 0;
    int measured = 0; ///< files where it was measured, the saturated ones among them
    int saturated = 0;
    int unmeasured = 0;
};

/// @brief Per saved star, in slot order, its files 1..N by what they hold: a
/// file counts by the worst status (Unmeasured, Saturated, Ok) of the
/// diaphragms whose box holds a radius.
std::vector<StarTally> StarTallies(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings);

} // namespace lumvane
