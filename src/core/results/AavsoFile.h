#pragma once

#include "core/image/FileList.h"
#include "core/photometry/StarSlots.h"
#include "core/results/Ensemble.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumvane {

/// The check star a report takes unless told otherwise.
inline constexpr int kSt2Slot = 1;
/// No check star.
inline constexpr int kNoCheckStar = -1;

/// @brief What the observer tells the AAVSO export.
struct AavsoSettings {
    std::string observerCode; ///< the AAVSO observer code, 1..5 letters or digits
    std::string starName; ///< the variable's AAVSO name or designation, up to 30 characters
    std::string chart; ///< the comparison sequence's chart ID, up to 20 characters; blank is "na"
    int variableSlot = kVar1Slot; ///< the variable's star slot
    int checkSlot = kSt2Slot; ///< the check star's slot, or kNoCheckStar
    int diaphragm = 0; ///< 0..3
    /// The band of every line, one of AavsoFilterCodes(); blank takes each
    /// file's FILTER card.
    std::string filter;
    std::string comparisonName; ///< CNAME, up to 20 characters; blank is St1's label
    std::string checkName; ///< KNAME, up to 20 characters; blank is the check star's label
    /// The comparison stars when the magnitudes are an ensemble's; empty for
    /// magnitudes relative to St1.
    Ensemble comparisons;
};

/// @brief The filter codes the AAVSO database takes, as it spells them.
std::span<const std::string_view> AavsoFilterCodes();

/// @brief A file whose line could not be made valid.
struct AavsoLeftOut {
    int file = 0;
    std::string fileName;
    std::string reason;
};

/// @brief The AAVSO file's text and the files it leaves out.
struct AavsoReport {
    /// What keeps the export from being made (a setting the format refuses,
    /// a star or diaphragm with no values, no file with a valid line); the
    /// text is then empty.
    std::string problem;
    std::string text;
    int lines = 0; ///< observation lines written
    std::vector<AavsoLeftOut> leftOut;
};

/// @brief The settings as the file "aavso.ini" keeps them: KEY=VALUE lines
/// (OBSCODE, NAME, CHART, VARIABLE, CHECK, DIAPHRAGM, FILTER, CNAME, KNAME,
/// COMPARISONS; slots and the diaphragm as numbers, the comparison stars as
/// SLOT=MAGNITUDE pairs between commas) ending with CR LF.
std::string AavsoSettingsText(const AavsoSettings& settings);

/// @brief Settings read back from that text: unknown keys and lines without
/// "=" are passed over, and a key missing or out of range keeps its default.
AavsoSettings AavsoSettingsFromText(std::string_view text);

/// @brief What is wrong with the observer's settings for the format, or an
/// empty text: the observer code, star name, chart and star names checked
/// against the format's rules (printable characters, no comma, their
/// lengths), the filter against its codes, the comparison stars
/// (EnsembleProblem, and not the check star).
std::string AavsoSettingsProblem(const AavsoSettings& settings);

/// @brief The AAVSO Extended File Format report of one variable: the header
/// lines #TYPE=EXTENDED, #OBSCODE=, #SOFTWARE=, #DELIM=,, #DATE=JD and
/// #OBSTYPE=CCD, then one line per file 1..N.
///
/// Each line: NAME, DATE (the mid-exposure JD, 5 decimals), MAG (3 decimals)
/// and MERR (rounded to the thousandth; "na" when it has no value or does not
/// fit 6 characters), FILT (the observer's filter, else the file's FILTER
/// card as a filter code), TRANS=NO, MTYPE=STD, CNAME and CMAG, KNAME and KMAG
/// (the check star's instrumental magnitude; "na" without a check star),
/// AMASS (the header's airmass, 4 decimals, else "na"), GROUP=na, CHART,
/// NOTES. Relative to St1, MAG and MERR are the variable's magnitude relative
/// to St1 and its error (ResultLines), CNAME the comparison name (St1's label
/// by default), CMAG St1's instrumental magnitude, NOTES "na". With comparison
/// stars, MAG and MERR are the variable's ensemble magnitude and error
/// (EnsembleOf), CNAME "ENSEMBLE", CMAG "na", and NOTES names the comparison
/// stars the line took with their catalogue magnitudes ("Ensemble|St 2=11.200|
/// St 3=12.500"). A line whose date, filter, magnitude or comparison can't be
/// written validly (the variable saturated or not measured among them) is
/// left out and listed; with no valid line at all the report is a problem.
/// Each file's date, exposure, filter and airmass are its image's own
/// (FileList::ImageFiles), never those of a calibration frame read after it.
/// Lines end with CR LF.
AavsoReport AavsoReportText(const ResultsTable& table, const FileList& files, const ResultsFileSettings& results,
    const AavsoSettings& settings);

} // namespace lumvane
