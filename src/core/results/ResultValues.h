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
    float net = 0.0F; ///< net counts in the diaphragm
    float error = 0.0F; ///< magnitude error
    /// -2.5 log10(net / exposure + 0.000001); nothing for an exposure of 0
    /// or where the logarithm has no value.
    std::optional<double> instrumental;
    /// The magnitude the results file writes: the instrumental one plus St1's
    /// offset (0 unless relative to St1).
    std::optional<double> magnitude;
};

/// @brief One line of the results file: one file and one diaphragm.
struct ResultLine {
    int file = 0;
    int diaphragm = 0;
    float radius = 0.0F; ///< the diaphragm's radius as recorded for the last file, pixels
    /// The saved stars in slot order; empty when the diaphragm's box holds no
    /// number other than 0.
    std::vector<StarValue> stars;
};

/// @brief The slots the results file holds: 0..21, those with net counts for
/// file 1 and diaphragm 0.
std::vector<int> SavedStarSlots(const ResultsTable& table);

/// @brief Every line of the results file, files 1..N (N the current file
/// number) and for each its diaphragms 0..3, with the file's arithmetic.
///
/// With E the file's exposure and m1 St1's instrumental magnitude on the line
/// (held in single precision), St1's offset is (St1's catalogue magnitude -
/// m1) held in single precision, and 0 unless relative to St1. Where St1's
/// logarithm has no value, m1 of the line before holds.
std::vector<ResultLine> ResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings);

/// @brief The lines of one file (diaphragms 0..3) as ResultLines gives them,
/// `carry` holding what the lines before left and then what these leave.
std::vector<ResultLine> FileResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, int file, St1Carry& carry);

} // namespace lumvane
