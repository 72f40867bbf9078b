#pragma once

#include "core/image/FileList.h"
#include "core/photometry/StarSlots.h"
#include "core/results/ResultsTable.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumvane {

/// The stars the results file can hold: every slot, St1 to Var4.
inline constexpr int kSavedStars = kStarSlots;

/// @brief What the results file takes from the Photometry and Options tabs at
/// the moment it is written, as numbers.
struct ResultsFileSettings {
    /// The numeric value of St1's catalogue magnitude; nothing while its box is blank.
    std::optional<double> st1Magnitude;
    bool relativeToSt1 = true; ///< "Save relatively St1"
    /// The numeric value of each diaphragm radius box: a diaphragm whose value
    /// is 0 gets no lines.
    std::array<double, ResultsTable::kDiaphragms> radii {};
};

/// The value field of a magnitude that does not exist or cannot be shown.
inline constexpr std::string_view kUndefinedValueField = " 99.999";
/// The error field beside an undefined value: no number, so that no reader
/// takes it for an error.
inline constexpr std::string_view kNoErrorField = "  -  ";

/// @brief The number text of `value` for a fixed field of `width` characters,
/// sign included: rounded half-even to the decimals the field can show after
/// the integer part (" 12.346", "-.00001", " 0"), never in exponent form.
/// Nothing when the integer part does not fit, or for a value that is not finite.
std::optional<std::string> FieldNumberText(double value, std::size_t width);

/// @brief The results file as text, every line ending with CR LF.
///
/// A heading ("File         Time   R", then from column 24 "Star n  " and
/// "Err  " for each slot remembered on file 1) and an empty line; then for
/// each file 1..N (N the current file number of
/// `files`) and diaphragm 0..3 one line: the file name (12 characters), from
/// column 14 its time (5), from column 20 the diaphragm's radius as recorded
/// for file N, and from column 23 for each saved star an 8-character value
/// field and a 5-character error field; an empty line ends each file.
/// Magnitudes are -2.5 log10(net / exposure + 0.000001), shifted by St1's
/// offset when relative to St1; for an exposure of 0 the value field holds the
/// net counts floored to three decimals. Each number is written with
/// FieldNumberText, so its field shows it rounded to the field's width. Where
/// the star was not measured, the logarithm has no value, or the number
/// cannot fit, the value field reads " 99.999" and the error field "  -  ". A
/// line that runs past a column being moved to continues on the next line at
/// that column.
std::string ResultsFileText(const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings);

/// @brief The results file's heading and the empty line after it: the start
/// of ResultsFileText.
std::string ResultsFileHeading(const ResultsTable& table);

/// @brief The lines of one file and the empty line that ends them, as
/// ResultsFileText writes them.
std::string ResultsFileLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, int file);

} // namespace lumvane
