#include "core/results/AavsoFile.h"

#include "core/common/Rounding.h"
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

/// The filter codes the AAVSO database takes.
constexpr const char* kFilterCodes[]
    = { "U", "B", "V", "R", "I", "J", "H", "K", "TG", "TB", "TR", "CV", "CR", "CBB", "SZ", "SU", "SG", "SR", "SI",
          "STU", "STV", "STB", "STY", "STHBW", "STHBN", "MA", "MB", "MI", "ZS", "Y", "HA", "HAC", "O" };

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

std::string ChartText(const std::string& chart)
{
    return chart.empty() ? kNotAvailable : chart;
}

/// The filter code for the FILTER card's value: "na" without one, nothing for
/// a value the database does not know.
std::optional<std::string> FilterCode(const std::string& filterName)
{
    if (filterName.empty())
        return kNotAvailable;
    const std::string upper = Upper(filterName);
    const auto* code = std::find(std::begin(kFilterCodes), std::end(kFilterCodes), upper);
    if (code == std::end(kFilterCodes))
        return std::nullopt;
    return std::string(*code);
}

/// A magnitude that "%.3f" writes with a point and at most a few digits.
std::optional<std::string> MagnitudeText(const std::optional<double>& magnitude)
{
    if (!magnitude || !std::isfinite(*magnitude) || std::abs(*magnitude) >= 100.0)
        return std::nullopt;
    return FixedText(*magnitude, 3);
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

std::string ObservationProblem(
    const StarValue* variable, const StarValue* st1, const std::optional<std::string>& filter, const FileEntry& entry)
{
    if (!variable || !variable->Measured())
        return "the variable was not measured";
    if (variable->status == MeasureStatus::Saturated)
        return "the variable is saturated";
    if (!MagnitudeText(variable->magnitude))
        return variable->magnitude ? "its magnitude is out of range"
                                   : "its magnitude has no value (no exposure time or no net counts)";
    if (!MagnitudeText(MeasuredInstrumental(st1)))
        return "St1's instrumental magnitude has no value";
    if (!filter)
        return "its filter '" + entry.filterName + "' is not an AAVSO filter code";
    return {};
}

} // namespace

std::string AavsoSettingsText(const AavsoSettings& settings)
{
    return "OBSCODE=" + settings.observerCode + "\r\nNAME=" + settings.starName + "\r\nCHART=" + settings.chart
        + "\r\nVARIABLE=" + std::to_string(settings.variableSlot) + "\r\nCHECK=" + std::to_string(settings.checkSlot)
        + "\r\nDIAPHRAGM=" + std::to_string(settings.diaphragm) + "\r\n";
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
    if (!settings.chart.empty())
        return FieldProblem("The chart", settings.chart, kMaxChart);
    return {};
}

AavsoReport AavsoReportText(const ResultsTable& table, const FileList& recorded, const ResultsFileSettings& results,
    const AavsoSettings& settings)
{
    const FileList files = recorded.ImageFiles();
    AavsoReport report;
    if (report.problem = AavsoSettingsProblem(settings); !report.problem.empty())
        return report;
    if (!results.st1Magnitude) {
        report.problem = "Standard magnitudes need St1's catalogue magnitude";
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
    if (settings.diaphragm < 0 || settings.diaphragm >= ResultsTable::kDiaphragms
        || results.radii[static_cast<std::size_t>(settings.diaphragm)] == 0.0) {
        report.problem = "Diaphragm " + std::to_string(settings.diaphragm + 1) + " has no radius";
        return report;
    }

    ResultsFileSettings relative = results;
    relative.relativeToSt1 = true;
    const std::string checkName = settings.checkSlot == kNoCheckStar ? kNotAvailable : StarLabel(settings.checkSlot);
    std::string lines;
    for (const ResultLine& line : ResultLines(table, files, relative)) {
        if (line.diaphragm != settings.diaphragm)
            continue;
        const FileEntry& entry = files.Entry(line.file);
        const StarValue* variable = Find(line, settings.variableSlot);
        const StarValue* st1 = Find(line, 0);
        const std::optional<std::string> filter = FilterCode(entry.filterName);
        if (std::string problem = ObservationProblem(variable, st1, filter, entry); !problem.empty()) {
            report.leftOut.push_back({ line.file, FileNameText(entry.name), std::move(problem) });
            continue;
        }
        const auto jd = MidExposureJulianDate(entry);
        const float error = FlooredToThousandths(variable->error);
        const auto check = settings.checkSlot == kNoCheckStar
            ? std::nullopt
            : MagnitudeText(MeasuredInstrumental(Find(line, settings.checkSlot)));
        lines += settings.starName + ',' + (jd ? FixedText(*jd, 5) : kNotAvailable) + ','
            + *MagnitudeText(variable->magnitude) + ',' + (error > 0.0F ? FixedText(error, 3) : kNotAvailable) + ','
            + *filter + ",NO,STD,St1," + *MagnitudeText(MeasuredInstrumental(st1)) + ',' + checkName + ','
            + check.value_or(kNotAvailable) + ",na,na," + ChartText(settings.chart) + ",na\r\n";
        ++report.lines;
    }
    report.text = "#TYPE=EXTENDED\r\n#OBSCODE=" + Upper(settings.observerCode) + "\r\n#SOFTWARE=Lumvane "
        + LUMVANE_VERSION + "\r\n#DELIM=,\r\n#DATE=JD\r\n#OBSTYPE=CCD\r\n" + lines;
    return report;
}

} // namespace lumvane
