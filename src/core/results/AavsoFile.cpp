#include "core/results/AavsoFile.h"

#include "core/results/ExportText.h"
#include "core/results/JulianDate.h"
#include "core/results/ResultValues.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

namespace lumvane {
namespace {

constexpr char kNotAvailable[] = "na";
constexpr std::size_t kMaxObserverCode = 5;
constexpr std::size_t kMaxStarName = 30;
constexpr std::size_t kMaxChart = 20;
constexpr std::size_t kMaxComparisonName = 20;
constexpr std::size_t kMaxError = 6;

/// The filter codes the AAVSO database takes.
constexpr std::string_view kFilterCodes[]
    = { "U", "B", "V", "R", "I", "J", "H", "K", "TG", "TB", "TR", "CV", "CR", "CBB", "SZ", "SU", "SG", "SR", "SI",
          "STU", "STV", "STB", "STY", "STHBW", "STHBN", "MA", "MB", "MI", "ZS", "Y", "HA", "HAC", "O" };

/// FILTER card values that mean no filter at all (upper case).
constexpr std::string_view kUnfiltered[] = { "OPEN", "CLEAR", "C", "NONE" };

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

/// What is wrong with a text field: empty, too long, or a character outside
/// printable ASCII or the delimiter.
std::string FieldProblem(const std::string& what, const std::string& text, std::size_t maxLength)
{
    if (text.empty())
        return what + " is empty";
    if (text.size() > maxLength)
        return what + " is longer than " + std::to_string(maxLength) + " characters";
    for (const char c : text) {
        if (c < ' ' || c > '~')
            return what + " holds a character other than printable ASCII";
        if (c == ',')
            return what + " holds a comma, the file's delimiter";
    }
    return {};
}

std::string OrDefault(const std::string& text, const std::string& fallback)
{
    return text.empty() ? fallback : text;
}

/// The code as the database spells it; nothing for a name it does not know.
std::optional<std::string> FilterCode(const std::string& name)
{
    const std::string upper = Upper(name);
    const auto* code = std::find(std::begin(kFilterCodes), std::end(kFilterCodes), upper);
    return code == std::end(kFilterCodes) ? std::nullopt : std::optional(std::string(*code));
}

/// Why a FILTER card's value is no filter code.
std::string FilterProblem(const std::string& name)
{
    const std::string upper = Upper(name);
    if (name.empty() || std::find(std::begin(kUnfiltered), std::end(kUnfiltered), upper) != std::end(kUnfiltered))
        return (name.empty() ? std::string("its header names no filter")
                             : "its header names no filter ('" + name + "')")
            + ": give the filter code (CV or CR for unfiltered frames)";
    return "its filter '" + name + "' is not an AAVSO filter code";
}

/// A magnitude that "%.3f" writes with a point and at most a few digits.
std::optional<std::string> MagnitudeText(const std::optional<double>& magnitude)
{
    if (!magnitude || !std::isfinite(*magnitude) || std::abs(*magnitude) >= 100.0)
        return std::nullopt;
    return FixedText(*magnitude, 3);
}

/// The error rounded to the nearest thousandth; "na" where there is none.
std::string ErrorText(double error)
{
    const std::string text = error > 0.0 && std::isfinite(error) ? FixedText(error, 3) : kNotAvailable;
    return text.size() <= kMaxError ? text : kNotAvailable;
}

std::string AirmassText(const std::optional<double>& airmass)
{
    return airmass && *airmass < 100.0 ? FixedText(*airmass, 4) : kNotAvailable;
}

const StarValue* Find(const ResultLine& line, int slot)
{
    const auto star
        = std::find_if(line.stars.begin(), line.stars.end(), [&](const StarValue& s) { return s.slot == slot; });
    return star == line.stars.end() ? nullptr : &*star;
}

/// A star's instrumental magnitude, when it was measured on the line's file.
std::optional<double> MeasuredInstrumental(const StarValue* star)
{
    return star ? star->instrumental : std::nullopt;
}

/// The NOTES of an ensemble line: the comparison stars it took.
std::string EnsembleNotes(const Ensemble& used)
{
    std::string notes = "Ensemble";
    for (const ComparisonStar& c : used)
        notes += '|' + StarLabel(c.slot) + '=' + FixedText(c.catalogue, 3);
    return notes;
}

} // namespace

std::span<const std::string_view> AavsoFilterCodes()
{
    return kFilterCodes;
}

std::string AavsoSettingsText(const AavsoSettings& settings)
{
    std::string comparisons;
    for (const ComparisonStar& c : settings.comparisons) {
        // Appended piece by piece: GCC 12 warns falsely on "," + std::string.
        comparisons += comparisons.empty() ? "" : ",";
        comparisons += std::to_string(c.slot);
        comparisons += '=';
        comparisons += ShortestText(c.catalogue);
    }
    return "OBSCODE=" + settings.observerCode + "\r\nNAME=" + settings.starName + "\r\nCHART=" + settings.chart
        + "\r\nVARIABLE=" + std::to_string(settings.variableSlot) + "\r\nCHECK=" + std::to_string(settings.checkSlot)
        + "\r\nDIAPHRAGM=" + std::to_string(settings.diaphragm) + "\r\nFILTER=" + settings.filter + "\r\nCNAME="
        + settings.comparisonName + "\r\nKNAME=" + settings.checkName + "\r\nCOMPARISONS=" + comparisons + "\r\n";
}

AavsoSettings AavsoSettingsFromText(std::string_view text)
{
    AavsoSettings settings;
    const auto number = [](std::string_view value, int low, int high, int& into) {
        int parsed = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
        if (error == std::errc() && end == value.data() + value.size() && parsed >= low && parsed <= high)
            into = parsed;
    };
    const auto comparisons = [&](std::string_view value) {
        Ensemble read;
        while (!value.empty()) {
            const auto comma = value.find(',');
            const std::string_view pair = value.substr(0, comma);
            value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
            const auto equals = pair.find('=');
            ComparisonStar star { -1, 0.0 };
            number(pair.substr(0, equals), 0, kVar1Slot - 1, star.slot);
            const std::string_view magnitude
                = equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1);
            const auto [end, error]
                = std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), star.catalogue);
            if (star.slot < 0 || error != std::errc() || end != magnitude.data() + magnitude.size())
                return;
            read.push_back(star);
        }
        settings.comparisons = std::move(read);
    };
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const auto key = line.substr(0, equals);
        const auto value = line.substr(equals + 1);
        if (key == "OBSCODE")
            settings.observerCode = value;
        else if (key == "NAME")
            settings.starName = value;
        else if (key == "CHART")
            settings.chart = value;
        else if (key == "VARIABLE")
            number(value, kVar1Slot, kVar1Slot + 3, settings.variableSlot);
        else if (key == "CHECK")
            number(value, kNoCheckStar, kVar1Slot + 3, settings.checkSlot);
        else if (key == "DIAPHRAGM")
            number(value, 0, ResultsTable::kDiaphragms - 1, settings.diaphragm);
        else if (key == "FILTER")
            settings.filter = value;
        else if (key == "CNAME")
            settings.comparisonName = value;
        else if (key == "KNAME")
            settings.checkName = value;
        else if (key == "COMPARISONS")
            comparisons(value);
    }
    return settings;
}

std::string AavsoSettingsProblem(const AavsoSettings& settings)
{
    if (auto problem = FieldProblem("The observer code", settings.observerCode, kMaxObserverCode); !problem.empty())
        return problem;
    if (!std::all_of(settings.observerCode.begin(), settings.observerCode.end(),
            [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }))
        return "The observer code holds a character other than a letter or a digit";
    if (auto problem = FieldProblem("The star's name", settings.starName, kMaxStarName); !problem.empty())
        return problem;
    if (settings.starName.front() == '#')
        return "The star's name starts with #, which marks a comment";
    const struct {
        const char* what;
        const std::string& text;
        std::size_t maxLength;
    } optional[] = {
        { "The chart", settings.chart, kMaxChart },
        { "The comparison star's name", settings.comparisonName, kMaxComparisonName },
        { "The check star's name", settings.checkName, kMaxComparisonName },
    };
    for (const auto& field : optional)
        if (!field.text.empty())
            if (auto problem = FieldProblem(field.what, field.text, field.maxLength); !problem.empty())
                return problem;
    if (!settings.filter.empty() && !FilterCode(settings.filter))
        return "The filter '" + settings.filter + "' is not an AAVSO filter code";
    if (auto problem = EnsembleProblem(settings.comparisons); !problem.empty())
        return problem;
    for (const ComparisonStar& c : settings.comparisons)
        if (c.slot == settings.checkSlot)
            return "The check star " + StarLabel(c.slot) + " is one of the comparison stars";
    return {};
}

AavsoReport AavsoReportText(const ResultsTable& table, const FileList& recorded, const ResultsFileSettings& results,
    const AavsoSettings& settings)
{
    const FileList files = recorded.ImageFiles();
    const bool ensemble = !settings.comparisons.empty();
    AavsoReport report;
    if (report.problem = AavsoSettingsProblem(settings); !report.problem.empty())
        return report;
    if (!ensemble && !results.st1Magnitude) {
        report.problem = "Standard magnitudes need St1's catalogue magnitude or comparison stars";
        return report;
    }
    const std::vector<int> saved = SavedStarSlots(table);
    const auto isSaved = [&](int slot) { return std::find(saved.begin(), saved.end(), slot) != saved.end(); };
    if (!isSaved(settings.variableSlot)) {
        report.problem = StarLabel(settings.variableSlot) + " was not remembered on the first file";
        return report;
    }
    if (settings.checkSlot != kNoCheckStar && !isSaved(settings.checkSlot)) {
        report.problem = "The check star " + StarLabel(settings.checkSlot) + " was not remembered on the first file";
        return report;
    }
    for (const ComparisonStar& c : settings.comparisons)
        if (!isSaved(c.slot)) {
            report.problem = "The comparison star " + StarLabel(c.slot) + " was not remembered on the first file";
            return report;
        }
    if (settings.diaphragm < 0 || settings.diaphragm >= ResultsTable::kDiaphragms
        || results.radii[static_cast<std::size_t>(settings.diaphragm)] == 0.0) {
        report.problem = "Diaphragm " + std::to_string(settings.diaphragm + 1) + " has no radius";
        return report;
    }

    ResultsFileSettings relative = results;
    relative.relativeToSt1 = true;
    const std::string comparisonName = ensemble ? "ENSEMBLE" : OrDefault(settings.comparisonName, StarLabel(0));
    const std::string checkName = settings.checkSlot == kNoCheckStar
        ? kNotAvailable
        : OrDefault(settings.checkName, StarLabel(settings.checkSlot));
    std::string lines;
    for (const ResultLine& line : ResultLines(table, files, relative)) {
        if (line.diaphragm != settings.diaphragm)
            continue;
        const FileEntry& entry = files.Entry(line.file);
        const StarValue* variable = Find(line, settings.variableSlot);
        const auto jd = MidExposureJulianDate(entry);
        const std::optional<std::string> filter = FilterCode(OrDefault(settings.filter, entry.filterName));
        const auto estimate = ensemble ? EnsembleOf(line, *variable, settings.comparisons) : std::nullopt;
        const std::optional<double> magnitude
            = ensemble ? (estimate ? std::optional(estimate->estimate.magnitude) : std::nullopt) : variable->magnitude;
        const auto comparisonMagnitude
            = ensemble ? std::optional<std::string>(kNotAvailable) : MagnitudeText(MeasuredInstrumental(Find(line, 0)));
        std::string problem;
        if (!variable->Measured())
            problem = "the variable was not measured";
        else if (variable->status == MeasureStatus::Saturated)
            problem = "the variable is saturated";
        else if (!variable->instrumental)
            problem = "its magnitude has no value (no exposure time or no net counts)";
        else if (!comparisonMagnitude)
            problem = "St1's instrumental magnitude has no value";
        else if (ensemble && !estimate)
            problem = "no comparison star was measured on it";
        else if (!MagnitudeText(magnitude))
            problem = "its magnitude is out of range";
        else if (!jd)
            problem = "its date is unknown (no usable date and time in its header)";
        else if (!filter)
            problem = FilterProblem(entry.filterName);
        if (!problem.empty()) {
            report.leftOut.push_back({ line.file, FileNameText(entry.name), std::move(problem) });
            continue;
        }
        const double error = ensemble ? estimate->estimate.error : variable->magnitudeError;
        const auto check = settings.checkSlot == kNoCheckStar
            ? std::nullopt
            : MagnitudeText(MeasuredInstrumental(Find(line, settings.checkSlot)));
        lines += settings.starName + ',' + FixedText(*jd, 5) + ',' + *MagnitudeText(magnitude) + ',' + ErrorText(error)
            + ',' + *filter + ",NO,STD," + comparisonName + ',' + *comparisonMagnitude + ',' + checkName + ','
            + check.value_or(kNotAvailable) + ',' + AirmassText(entry.airmass) + ",na,"
            + OrDefault(settings.chart, kNotAvailable) + ','
            + (ensemble ? EnsembleNotes(estimate->used) : kNotAvailable) + "\r\n";
        ++report.lines;
    }
    if (report.lines == 0) {
        report.problem = "No file has a line the AAVSO database would take";
        return report;
    }
    report.text = "#TYPE=EXTENDED\r\n#OBSCODE=" + Upper(settings.observerCode) + "\r\n#SOFTWARE=Lumvane "
        + LUMVANE_VERSION + "\r\n#DELIM=,\r\n#DATE=JD\r\n#OBSTYPE=CCD\r\n" + lines;
    return report;
}

} // namespace lumvane
