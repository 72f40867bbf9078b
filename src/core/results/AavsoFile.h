#pragma once

#include "core/image/FileList.h"
#include "core/photometry/StarSlots.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

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
};

/// @brief A file whose line could not be made valid.
struct AavsoLeftOut {
    int file = 0;
    std::string fileName;
    std::string reason;
};

/// @brief The AAVSO file's text and the files it leaves out.
struct AavsoReport {
    /// What keeps the export from being made (a setting the format refuses,
    /// a star or diaphragm with no values); the text is then empty.
    std::string problem;
    std::string text;
    int lines = 0; ///< observation lines written
    std::vector<AavsoLeftOut> leftOut;
};

/// @brief The settings as the file "aavso.ini" keeps them: KEY=VALUE lines
/// (OBSCODE, NAME, CHART, VARIABLE, CHECK, DIAPHRAGM; slots and the
/// diaphragm as numbers) ending with CR LF.
std::string AavsoSettingsText(const AavsoSettings& settings);

/// @brief Settings read back from that text: unknown keys and lines without
/// "=" are passed over, and a key missing or out of range keeps its default.
AavsoSettings AavsoSettingsFromText(std::string_view text);

/// @brief What is wrong with the observer's settings for the format, or an
/// empty text: the observer code, star name and chart checked against the
/// format's rules (printable characters, no comma, their lengths).
std::string AavsoSettingsProblem(const AavsoSettings& settings);

/// @brief The AAVSO Extended File Format report of one variable: the header
/// lines #TYPE=EXTENDED, #OBSCODE=, #SOFTWARE=, #DELIM=,, #DATE=JD and
/// #OBSTYPE=CCD, then one line per file 1..N.
///
/// Each line: NAME, DATE (the mid-exposure JD, 5 decimals; "na" without a
/// usable date), MAG (the variable's magnitude relative to St1 as the results
/// file computes it relative to St1, 3 decimals), MERR (the results file's
/// error field), FILT (the FILTER card, "na" without one), TRANS=NO,
/// MTYPE=STD, CNAME "St1" and CMAG its instrumental magnitude, KNAME and KMAG
/// the check star's label and instrumental magnitude ("na" without a check
/// star), AMASS=na, GROUP=na, CHART, NOTES=na. A line whose magnitude, St1
/// magnitude or filter can't be written validly is left out and listed.
/// Each file's date, exposure and filter are its image's own
/// (FileList::ImageFiles), never those of a calibration frame read after it.
/// Lines end with CR LF.
AavsoReport AavsoReportText(const ResultsTable& table, const FileList& files, const ResultsFileSettings& results,
    const AavsoSettings& settings);

} // namespace lumvane
