#include "core/results/CsvFile.h"

#include "core/photometry/StarSlots.h"
#include "core/results/ExportText.h"
#include "core/results/JulianDate.h"
#include "core/results/ResultValues.h"

namespace lumvane {
namespace {

constexpr char kNotAvailable[] = "na";

std::string Magnitude(const std::optional<double>& magnitude)
{
    return magnitude ? FixedText(*magnitude, 4) : kNotAvailable;
}

std::string StatusWord(MeasureStatus status)
{
    return status == MeasureStatus::Ok ? "ok" : status == MeasureStatus::Saturated ? "saturated" : "unmeasured";
}

} // namespace

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string ResultsCsvText(
    const ResultsTable& table, const FileList& recorded, const ResultsFileSettings& settings, const Ensemble& ensemble)
{
    const FileList files = recorded.ImageFiles();
    std::string text = "File,JD,HJD,Exposure,Star,Radius,Net counts,Error,Instrumental magnitude,"
                       "Magnitude relative to St1,X,Y,Status,ShiftX,ShiftY,Ensemble magnitude,Ensemble error\r\n";
    ResultsFileSettings relative = settings;
    relative.relativeToSt1 = true;
    for (const ResultLine& line : ResultLines(table, files, relative)) {
        const FileEntry& entry = files.Entry(line.file);
        const auto jd = MidExposureJulianDate(entry);
        const std::string jdText = jd ? FixedText(*jd, 6) : kNotAvailable;
        const std::string hjdText
            = jd && entry.target ? FixedText(HeliocentricJulianDate(*jd, *entry.target), 6) : kNotAvailable;
        const std::string fileText = CsvField(FileNameText(entry.name)) + ',' + jdText + ',' + hjdText + ','
            + ShortestText(entry.exposure) + ',';
        const std::string shiftText = line.shift ? ShortestText(line.shift->x) + ',' + ShortestText(line.shift->y)
                                                 : std::string(kNotAvailable) + ',' + kNotAvailable;
        for (const StarValue& star : line.stars) {
            const std::string centreText = star.Measured() ? ShortestText(star.x) + ',' + ShortestText(star.y)
                                                           : std::string(kNotAvailable) + ',' + kNotAvailable;
            const auto estimate = EnsembleOf(line, star, ensemble);
            text += fileText + CsvField(StarLabel(star.slot)) + ',' + ShortestText(line.radius) + ','
                + ShortestText(star.net) + ',' + ShortestText(star.error) + ',' + Magnitude(star.instrumental) + ','
                + Magnitude(star.magnitude) + ',' + centreText + ',' + StatusWord(star.status) + ',' + shiftText + ','
                + (estimate ? Magnitude(estimate->estimate.magnitude) + ',' + Magnitude(estimate->estimate.error)
                            : std::string(kNotAvailable) + ',' + kNotAvailable)
                + "\r\n";
        }
    }
    return text;
}

} // namespace lumvane
