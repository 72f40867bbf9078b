#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/PhotometryArguments.h"

#include "core/common/FileWrite.h"
#include "core/image/Calibration.h"
#include "core/image/FitsReader.h"
#include "core/patrol/PatrolWalk.h"
#include "core/photometry/StarSlots.h"
#include "core/results/AavsoFile.h"
#include "core/results/CsvFile.h"
#include "core/results/RecoveryFile.h"
#include "core/results/ResultValues.h"
#include "core/results/ResultsFile.h"
#include "core/results/SeriesSummary.h"
#include "core/routines/SequentialFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>

namespace lumvane::cli {

namespace {

const char* const kPatrolUsage
    = "Usage: lumvane-cli patrol FIRST --stars STARS [--dark FILE] [--flat FILE] [--radius R[,R...]]\n"
      "                          [--search N] [--method max|centroid] [--annulus R1,R2] [--median P]\n"
      "                          [--st1-mag M] [--instrumental] -o RESULTS [--csv FILE]\n"
      "                          [--comp SLOT=MAG[,SLOT=MAG...]] [--summary FILE]\n"
      "                          [--aavso FILE --obscode X --name N --chart C [--check SLOT]\n"
      "                          [--variable SLOT] [--diaphragm K] [--filter CODE] [--cname NAME]\n"
      "                          [--kname NAME]]\n"
      "Walks the patrol series that starts with FIRST (then the files numbered after it: stem.011,\n"
      "stem.012, ... after stem.010, up to .999) as the program's patrol driver does. --stars STARS\n"
      "names a file of lines 'SLOT X Y' (SLOT St1..St19, Var1..Var4 or 0..22; '#' starts a comment):\n"
      "FIRST is calibrated with --dark and --flat and each position measured and remembered on it;\n"
      "then every later file is read and calibrated, the field's shift against FIRST found from its\n"
      "stars, St1 searched where the shift puts it (within Int(2 N) + 3 pixels, at most 13) and taken\n"
      "when within 2 pixels of that place, and every star measured at the shift (searched within N).\n"
      "A star that can't be measured on a file (none found, off the image, in rows the file lacks) is\n"
      "named on stderr, written as 99.999 with no error, and looked for again on the next file.\n"
      "The series ends at the first file that can't be read; -o RESULTS then receives the results\n"
      "file, magnitudes relative to St1 of magnitude M unless --instrumental, and a line per star\n"
      "tells on stderr its files measured (saturated among them) and unmeasured. When no shift is\n"
      "found on a file (clouds, another field), St1 is probably lost: the results so far are written\n"
      "and the exit status is 3.\n"
      "--csv writes every file, star and diaphragm as comma-separated values (with each centre, its\n"
      "status ok, saturated or unmeasured, the file's shift, and the ensemble magnitude and error).\n"
      "--comp names the comparison stars of an ensemble (SLOT St1..St19 of the stars file) with\n"
      "their catalogue magnitudes MAG. A star's ensemble magnitude is the mean over the comparisons\n"
      "measured on the file (the star itself left out) of MAG + its instrumental magnitude - the\n"
      "comparison's, weighted by 1 / (its error^2 + the comparison's error^2); its error is\n"
      "sqrt(its error^2 + Z^2), Z the larger of the error the comparisons' errors carry into the\n"
      "mean and the standard error their scatter shows.\n"
      "--summary writes per star and diaphragm the files measured, saturated and unmeasured, the\n"
      "mean magnitude, its scatter (rms), the mean error, the reduced chi-square of a constant star\n"
      "and the probability of so large a chi-square from a constant star: the star varies when it is\n"
      "below 0.001. The magnitudes are those of the results file, or the ensemble's with --comp.\n"
      "--aavso writes the AAVSO Extended File Format report of the variable SLOT (default Var1) in\n"
      "diaphragm K (1..4, default 1) for observer code X, star name N and chart C. Its comparison is\n"
      "St1, named --cname (default St1), or with --comp the ensemble (CNAME ENSEMBLE, its stars in\n"
      "NOTES); its check star is --check SLOT (default St2 when the stars file has it and --comp\n"
      "does not; 'none' for none), named --kname (default its label). --filter gives the filter code\n"
      "of every line (CV or CR for unfiltered frames); by default each file's FILTER card must be\n"
      "one. AMASS is the header's AIRMASS (or SECZ). Without --comp it needs --st1-mag.\n"
      "The exports are written with RESULTS. Files whose AAVSO line can't be made valid are listed;\n"
      "a report with no valid line is not written, and the exit status is 2.\n"
      "A file of the series that is there but can't be read as an image ends it early: the results\n"
      "so far are written and the exit status is 4. Every file to be written is tried before the\n"
      "first file is read.\n"
      "After each file the results so far (relative to St1) go to RESULTS.recovery.txt beside RESULTS\n"
      "(none when RESULTS is a device such as /dev/null): a crash loses at most the file being\n"
      "measured, a power cut at most the files of the last 5 seconds.\n"
      "Defaults: --radius 8 --search 2 --method max --annulus 1.0,2.0 --median 10.\n"
      "Defaults: --st1-mag 0, no --instrumental (magnitudes relative to St1), no --dark or --flat,\n"
      "no --csv, --summary or --aavso, no --comp (magnitudes relative to St1), no --filter (the FILTER\n"
      "card).\n";

const char* const kPrefix = "lumvane-cli patrol: ";
constexpr std::size_t kStarsFileLimit = 1 << 20;

/// One line of the stars file.
struct StarPosition {
    int slot = 0;
    float x = 0.0F;
    float y = 0.0F;
};

struct PatrolRequest {
    std::string firstFile;
    std::string starsFile;
    std::string resultsFile;
    std::optional<double> st1Magnitude; ///< nothing without --st1-mag
    bool instrumental = false;
    PhotometryArguments photometry;
    std::string csvFile;
    std::string aavsoFile;
    AavsoSettings aavso;
    std::string checkText; ///< --check as typed; empty for the default
    std::string variableText = "Var1";
    std::string comparisonsText; ///< --comp as typed
    std::string summaryFile;
};

const std::vector<Option<PatrolRequest>>& PatrolOptions()
{
    using Request = PatrolRequest;
    static const std::vector<Option<Request>> options = [] {
        std::vector<Option<Request>> all = {
            TextOption<Request>({ "--stars", "STARS", "" }, &Request::starsFile),
            TextOption<Request>({ "-o", "RESULTS", "" }, &Request::resultsFile),
            { { "--st1-mag", "M", "" },
                [](Request& request, const std::string& text) -> std::string {
                    request.st1Magnitude = ParseNumber(text);
                    if (!request.st1Magnitude)
                        return "--st1-mag takes a magnitude, not '" + text + "'";
                    return {};
                } },
            { { "--instrumental", "", "" },
                [](Request& request, const std::string&) {
                    request.instrumental = true;
                    return std::string();
                } },
            TextOption<Request>({ "--csv", "FILE", "" }, &Request::csvFile),
            TextOption<Request>({ "--comp", "SLOT=MAG[,SLOT=MAG...]", "" }, &Request::comparisonsText),
            TextOption<Request>({ "--summary", "FILE", "" }, &Request::summaryFile),
            TextOption<Request>({ "--aavso", "FILE", "" }, &Request::aavsoFile),
            TextOption<Request>(
                { "--obscode", "X", "" }, [](Request & request) -> auto& { return request.aavso.observerCode; }),
            TextOption<Request>(
                { "--name", "N", "" }, [](Request & request) -> auto& { return request.aavso.starName; }),
            TextOption<Request>(
                { "--chart", "C", "" }, [](Request & request) -> auto& { return request.aavso.chart; }),
            TextOption<Request>({ "--check", "SLOT", "" }, &Request::checkText),
            TextOption<Request>({ "--variable", "SLOT", "" }, &Request::variableText),
            { { "--diaphragm", "K", "" },
                [](Request& request, const std::string& text) -> std::string {
                    if (text.size() != 1 || text[0] < '1' || text[0] > '4')
                        return "--diaphragm takes 1, 2, 3 or 4, not '" + text + "'";
                    request.aavso.diaphragm = text[0] - '1';
                    return {};
                } },
            TextOption<Request>(
                { "--filter", "CODE", "" }, [](Request & request) -> auto& { return request.aavso.filter; }),
            TextOption<Request>(
                { "--cname", "NAME", "" }, [](Request & request) -> auto& { return request.aavso.comparisonName; }),
            TextOption<Request>(
                { "--kname", "NAME", "" }, [](Request & request) -> auto& { return request.aavso.checkName; }),
        };
        for (auto& option : PhotometryOptionsOf<Request>())
            all.push_back(std::move(option));
        return all;
    }();
    return options;
}

std::string Parse(const Args& args, PatrolRequest& request)
{
    if (std::string problem = ParseOptions(args, PatrolOptions(), request, request.firstFile); !problem.empty())
        return problem;
    if (request.firstFile.empty())
        return "no first file given";
    if (request.starsFile.empty())
        return "no --stars file given";
    if (request.resultsFile.empty())
        return "no results file given (-o RESULTS)";
    return {};
}

/// The slot a stars file names: St1..St19, Var1..Var4 (either case) or 0..22.
std::optional<int> SlotOf(const std::string& name)
{
    const auto number = [](std::string_view digits) -> std::optional<int> {
        int value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size() || digits.empty())
            return std::nullopt;
        return value;
    };
    std::string lower = name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::optional<int> slot;
    if (lower.starts_with("st")) {
        if (const auto n = number(std::string_view(lower).substr(2)); n && *n >= 1 && *n <= 19)
            slot = *n - 1;
    } else if (lower.starts_with("var")) {
        if (const auto n = number(std::string_view(lower).substr(3)); n && *n >= 1 && *n <= 4)
            slot = *n + 18;
    } else if (const auto n = number(lower); n && *n >= 0 && *n < kStarSlots) {
        slot = *n;
    }
    return slot;
}

/// Reads the stars file; the text of what is wrong otherwise.
std::string ReadStars(const std::string& fileName, std::vector<StarPosition>& stars, bool& unreadable)
{
    const SmallFile text = SmallFileBytes(fileName, kStarsFileLimit);
    if (!text.read) {
        unreadable = true;
        return CannotOpenFileText(fileName, text.tooBig ? "larger than the 1 MB a stars file may hold" : text.reason);
    }
    std::istringstream file(text.bytes);
    int lineNumber = 0;
    for (std::string line; std::getline(file, line);) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::vector<std::string> items;
        for (std::string word; words >> word;)
            items.push_back(word);
        if (items.empty())
            continue;
        const std::string where = fileName + " line " + std::to_string(lineNumber) + ": ";
        if (items.size() != 3)
            return where + "a line holds SLOT X Y";
        const auto slot = SlotOf(items[0]);
        if (!slot)
            return where + "no star slot '" + items[0] + "' (St1..St19, Var1..Var4 or 0..22)";
        const auto x = ParseNumber(items[1]);
        const auto y = ParseNumber(items[2]);
        if (!x || !y)
            return where + "X and Y are numbers, not '" + items[1] + " " + items[2] + "'";
        for (const StarPosition& star : stars)
            if (star.slot == *slot)
                return where + StarLabel(*slot) + " is given twice";
        stars.push_back({ *slot, static_cast<float>(*x), static_cast<float>(*y) });
    }
    bool hasSt1 = false;
    for (const StarPosition& star : stars)
        hasSt1 = hasSt1 || star.slot == 0;
    if (!hasSt1)
        return fileName + ": no St1 given; the series follows the field by it";
    return {};
}

bool Given(const std::vector<StarPosition>& stars, int slot)
{
    return std::any_of(stars.begin(), stars.end(), [&](const StarPosition& star) { return star.slot == slot; });
}

/// Reads --comp into the ensemble; what is wrong with it otherwise.
std::string ReadComparisons(PatrolRequest& request, const std::vector<StarPosition>& stars)
{
    std::istringstream items(request.comparisonsText);
    for (std::string item; std::getline(items, item, ',');) {
        const auto equals = item.find('=');
        const auto slot = SlotOf(item.substr(0, equals));
        const auto magnitude = equals == std::string::npos ? std::nullopt : ParseNumber(item.substr(equals + 1));
        if (!slot || !magnitude)
            return "--comp takes SLOT=MAG[,SLOT=MAG...], not '" + item + "'";
        if (*slot >= kVar1Slot || !Given(stars, *slot))
            return "--comp " + item + ": the comparison star is not one of St1..St19 of the stars file";
        request.aavso.comparisons.push_back({ *slot, *magnitude });
    }
    if (request.aavso.comparisons.empty() || request.comparisonsText.back() == ',')
        return "--comp takes SLOT=MAG[,SLOT=MAG...], not '" + request.comparisonsText + "'";
    const std::string problem = EnsembleProblem(request.aavso.comparisons);
    return problem.empty() ? problem : "--comp: " + problem;
}

/// What keeps the AAVSO report from being made, as far as the arguments and
/// the stars file tell; settles the variable and check slots.
std::string AavsoProblem(PatrolRequest& request, const std::vector<StarPosition>& stars)
{
    if (!request.st1Magnitude && request.aavso.comparisons.empty())
        return "--aavso needs --st1-mag or --comp: its magnitudes are standard ones";
    if (request.aavso.diaphragm >= static_cast<int>(request.photometry.radii.size()))
        return "--diaphragm " + std::to_string(request.aavso.diaphragm + 1) + " has no --radius";
    const auto given = [&](int slot) { return Given(stars, slot); };
    const auto variable = SlotOf(request.variableText);
    if (!variable || !given(*variable))
        return "--variable " + request.variableText + " is not a star of the stars file";
    request.aavso.variableSlot = *variable;
    if (request.checkText.empty()) {
        const bool comparison = std::any_of(request.aavso.comparisons.begin(), request.aavso.comparisons.end(),
            [](const ComparisonStar& c) { return c.slot == kSt2Slot; });
        request.aavso.checkSlot = given(kSt2Slot) && !comparison ? kSt2Slot : kNoCheckStar;
    } else if (request.checkText == "none") {
        request.aavso.checkSlot = kNoCheckStar;
    } else {
        const auto check = SlotOf(request.checkText);
        if (!check || !given(*check))
            return "--check " + request.checkText + " is not a star of the stars file (or 'none')";
        request.aavso.checkSlot = *check;
    }
    if (const std::string problem = AavsoSettingsProblem(request.aavso); !problem.empty())
        return "--aavso: " + problem;
    return {};
}

std::string Text(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 7);
    return std::string(text, result.ptr);
}

/// What the results file and its exports take from the request.
ResultsFileSettings ResultsSettings(const PatrolRequest& request)
{
    ResultsFileSettings settings;
    settings.st1Magnitude = request.st1Magnitude;
    settings.relativeToSt1 = !request.instrumental;
    settings.radii = ClickSettingsOf(request.photometry).radii;
    return settings;
}

/// Writes a file; false (with the message on `err`) when it can't be written.
bool Write(const std::string& fileName, const std::string& text, std::ostream& err)
{
    const WriteResult written = WriteFileBytes(fileName, text);
    if (!written.written)
        err << kPrefix << CannotWriteFileText(fileName, written.reason) << '\n';
    return written.written;
}

/// Writes the CSV, summary and AAVSO files asked for; false when one can't be
/// made or written.
bool SaveExports(const PatrolRequest& request, const ResultsTable& table, const FileList& files, std::ostream& err)
{
    const ResultsFileSettings settings = ResultsSettings(request);
    const Ensemble& ensemble = request.aavso.comparisons;
    bool saved
        = request.csvFile.empty() || Write(request.csvFile, ResultsCsvText(table, files, settings, ensemble), err);
    if (!request.summaryFile.empty())
        saved = Write(request.summaryFile, SeriesSummaryCsvText(SeriesSummary(table, files, settings, ensemble)), err)
            && saved;
    if (request.aavsoFile.empty())
        return saved;
    const AavsoReport report = AavsoReportText(table, files, settings, request.aavso);
    for (const AavsoLeftOut& file : report.leftOut)
        err << kPrefix << "AAVSO report: file " << file.file << " (" << file.fileName << ") left out: " << file.reason
            << '\n';
    if (!report.problem.empty()) {
        err << kPrefix << "no AAVSO report: " << report.problem << '\n';
        return false;
    }
    return Write(request.aavsoFile, report.text, err) && saved;
}

/// Writes the results file and the exports asked for; false (with the message
/// on `err`) when one can't be written.
bool SaveResults(const PatrolRequest& request, const ResultsTable& table, const FileList& files, std::ostream& err)
{
    const bool written = Write(request.resultsFile, ResultsFileText(table, files, ResultsSettings(request)), err);
    return SaveExports(request, table, files, err) && written;
}

/// The recovery file beside RESULTS; nothing when the results go to a device
/// (-o /dev/null): no recovery file among the devices.
std::optional<std::filesystem::path> RecoveryFileName(const PatrolRequest& request)
{
    std::error_code error;
    const std::filesystem::file_status results = std::filesystem::status(request.resultsFile, error);
    if (std::filesystem::exists(results) && !std::filesystem::is_regular_file(results))
        return std::nullopt;
    return RecoveryFileOf(request.resultsFile);
}

/// Whether every file the series writes can be written, before any file is
/// measured; false (with the message on `err`) when one can't.
bool OutputsWritable(const PatrolRequest& request, std::ostream& err)
{
    const std::optional<std::filesystem::path> recovery = RecoveryFileName(request);
    for (const std::string& fileName : { request.resultsFile, request.csvFile, request.summaryFile, request.aavsoFile,
             recovery ? recovery->string() : std::string() }) {
        if (fileName.empty())
            continue;
        if (const WriteResult writable = CanReplaceFile(fileName); !writable.written) {
            err << kPrefix << CannotWriteFileText(fileName, writable.reason) << '\n';
            return false;
        }
    }
    return true;
}

/// Brings the recovery file up to the files measured so far. A failure is
/// reported and the walk goes on.
void WriteRecovery(std::optional<RecoveryFile>& recovery, const PatrolRequest& request, const ResultsTable& table,
    const FileList& files, std::ostream& err)
{
    if (!recovery)
        return;
    const WriteResult written = recovery->Write(table, files, ResultsSettings(request));
    if (!written.written)
        err << kPrefix << CannotWriteFileText(recovery->Name().string(), written.reason) << '\n';
}

/// A star that could not be measured on a file: no value for it there.
void NotMeasured(std::ostream& err, int slot, const std::string& fileName)
{
    err << kPrefix << StarLabel(slot) << " not measured on " << fileName << '\n';
}

/// Per star: the files it was measured on (saturated among them) and not.
void Summary(std::ostream& err, const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings)
{
    for (const StarTally& tally : StarTallies(table, files, settings))
        err << StarLabel(tally.slot) << ": " << tally.measured << " files measured (" << tally.saturated
            << " saturated), " << tally.unmeasured << " unmeasured\n";
}

int RunPatrol(const Args& args, std::ostream& /*out*/, std::ostream& err)
{
    PatrolRequest request;
    if (const std::string problem = Parse(args, request); !problem.empty()) {
        err << kPrefix << problem << '\n' << kPatrolUsage;
        return kExitUsage;
    }
    std::vector<StarPosition> stars;
    bool unreadable = false;
    if (const std::string problem = ReadStars(request.starsFile, stars, unreadable); !problem.empty()) {
        err << kPrefix << problem << '\n';
        return unreadable ? kExitFileError : kExitUsage;
    }
    if (!request.comparisonsText.empty()) {
        if (const std::string problem = ReadComparisons(request, stars); !problem.empty()) {
            err << kPrefix << problem << '\n' << kPatrolUsage;
            return kExitUsage;
        }
    }
    if (!request.aavsoFile.empty()) {
        if (const std::string problem = AavsoProblem(request, stars); !problem.empty()) {
            err << kPrefix << problem << '\n' << kPatrolUsage;
            return kExitUsage;
        }
    }
    if (!OutputsWritable(request, err))
        return kExitFileError;

    ImageStore store;
    ResultsTable table;
    LastStar last;
    UniformRandom random;
    const PatrolData data { store, table, last, random };
    StartPatrolSeries(store, table);
    const FitsReadResult first = ReadFitsImage(store, request.firstFile, PlaneId::Img, random);
    if (!first.message.empty())
        err << kPrefix << first.message << '\n';
    if (!first.GaveImage())
        return kExitFileError;
    auto calibration = ReadCalibrationFrames(request.photometry, store, random, kPrefix, err);
    if (!calibration)
        return kExitFileError;
    if (calibration->Dark() || calibration->Flat()) {
        // File 1 calibrated as every later file, its entry its own again.
        SeriesCalibrationOutcome outcome;
        if (!calibration->Read(store, request.firstFile, random, outcome).GaveImage()) {
            err << kPrefix << "Cannot read file " << request.firstFile << " again\n";
            return kExitFileError;
        }
    }

    PatrolSettings settings;
    settings.click = ClickSettingsOf(request.photometry);
    settings.click.st1Magnitude = request.st1Magnitude.value_or(0.0);
    settings.search = request.photometry.search;

    // File 1 as the user leaves it: each star clicked, then its star button.
    int remembered = 0;
    for (const StarPosition& star : stars) {
        const PatrolMeasurement measurement = MeasureAndRemember(data, star.slot, star.x, star.y, settings.click);
        if (!measurement.remembered)
            err << kPrefix << StarLabel(star.slot) << " at " << Text(star.x) << ',' << Text(star.y)
                << " can't be followed: a place has no X or Y of 0\n";
        else if (measurement.status == MeasureStatus::Unmeasured)
            NotMeasured(err, star.slot, request.firstFile);
        remembered += measurement.remembered ? 1 : 0;
    }
    err << "file 1: " << request.firstFile << ", " << remembered << " stars remembered\n";
    std::optional<RecoveryFile> recovery;
    if (const auto recoveryName = RecoveryFileName(request))
        recovery.emplace(*recoveryName);
    WriteRecovery(recovery, request, table, store.files, err);

    PatrolWalk walk(request.firstFile, *calibration);
    PatrolObserver quiet;
    bool endedOnUnreadableFile = false;
    for (;;) {
        const PatrolStepResult step = walk.Step(data, settings, quiet);
        // The series ends at the first file that is not there; one that is
        // there but can't be read ends it early.
        std::error_code error;
        const bool there = !step.fileName.empty() && std::filesystem::exists(step.fileName, error);
        if (!step.read.message.empty() && (step.read.status != FitsReadStatus::CannotOpen || there))
            err << kPrefix << step.read.message << '\n';
        if (step.calibration.darkRefused || step.calibration.flatRefused)
            err << kPrefix << kCalibrationFrameTooSmall << ": " << step.fileName << " left uncalibrated\n";
        if (step.step == PatrolStep::EndOfSeries) {
            endedOnUnreadableFile = there;
            if (there)
                err << kPrefix << "series ended early on an unreadable file: " << step.fileName << '\n';
            break;
        }
        if (step.step == PatrolStep::St1Lost) {
            // Only the files measured in full go into the results.
            store.files.SetCurrentFile(step.fileNumber - 1);
            const bool saved = SaveResults(request, table, store.files, err);
            err << kPrefix << "Main standard is probably not found on " << step.fileName << '\n';
            Summary(err, table, store.files, ResultsSettings(request));
            return saved ? kExitSt1Lost : kExitFileError;
        }
        const StandardsResult& standards = step.standards;
        err << "file " << step.fileNumber << ": " << step.fileName << ", St1 at "
            << Text(standards.st1StoredX + standards.shift.x) << ',' << Text(standards.st1StoredY + standards.shift.y)
            << ", shift " << Text(standards.shift.x) << ',' << Text(standards.shift.y) << ", " << standards.remembered
            << " stars remembered\n";
        for (const int slot : standards.unmeasured)
            NotMeasured(err, slot, step.fileName);
        WriteRecovery(recovery, request, table, store.files, err);
    }
    err << store.files.CurrentFile() << " files measured\n";
    Summary(err, table, store.files, ResultsSettings(request));
    if (!SaveResults(request, table, store.files, err))
        return kExitFileError;
    return endedOnUnreadableFile ? kExitUnreadableFile : kExitDone;
}

} // namespace

Subcommand PatrolSubcommand()
{
    return { "patrol", "walks a numbered series, measuring the marked stars on each file", RunPatrol, kPatrolUsage,
        { PatrolOptions().begin(), PatrolOptions().end() } };
}

} // namespace lumvane::cli
