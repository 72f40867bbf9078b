#pragma once

#include "core/image/FileList.h"
#include "core/results/Ensemble.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <string>
#include <string_view>

namespace lumvane {

/// @brief A field as RFC 4180 writes it: in double quotes, its quotes doubled,
/// when it holds a comma, a double quote, CR or LF; as it stands otherwise.
std::string CsvField(std::string_view text);

/// @brief Every measurement of the results file as comma-separated values.
///
/// A header row, then one row per file, diaphragm and saved star, in the
/// results file's order: the file's name, its mid-exposure JD and HJD (6
/// decimals), its exposure (seconds), the star's label, the diaphragm's radius
/// (pixels), the net counts, the magnitude error, the instrumental magnitude
/// and the magnitude relative to St1 (4 decimals), which takes St1's
/// catalogue magnitude as the results file does when saved relative to St1;
/// then the centre measured (X, Y, image coordinates), the measurement's
/// status ("ok", "saturated" or "unmeasured") and the file's field shift
/// (ShiftX, ShiftY, pixels since the file before), and the star's ensemble
/// magnitude and its error from the comparison stars of `ensemble`
/// (EnsembleOf, 4 decimals). "na" stands where a value does not exist: no
/// usable date, no target position for the HJD, no exposure, no measurement
/// or no logarithm for a magnitude, no centre for a star not measured, no
/// shift outside a series' walk, no comparison star measured. Each file's
/// name, date and exposure are its image's own (FileList::ImageFiles). Rows
/// end with CR LF.
std::string ResultsCsvText(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, const Ensemble& ensemble);

} // namespace lumvane
