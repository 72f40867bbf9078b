#include "core/results/ResultValues.h"

#include <cmath>
#include <iterator>

namespace lumvane {

std::vector<int> SavedStarSlots(const ResultsTable& table)
{
    std::vector<int> slots;
    for (int s = 0; s < kSavedStars; ++s)
        if (table.Status(s, 1, 0) != MeasureStatus::None)
            slots.push_back(s);
    return slots;
}

std::vector<ResultLine> FileResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, int file)
{
    const std::vector<int> saved = SavedStarSlots(table);
    const double st1Magnitude = settings.st1Magnitude.value_or(0.0);
    const float exposure = files.Entry(file).exposure;
    const int positionRow = ResultsTable::PositionRow(file + 1);
    std::vector<ResultLine> lines;
    for (int k = 0; k < ResultsTable::kDiaphragms; ++k) {
        const int row = ResultsTable::ValueRow(file, k);
        const auto starValue = [&](int slot) {
            StarValue star;
            star.slot = slot;
            star.status = table.Status(slot, file, k);
            if (star.status == MeasureStatus::None)
                star.status = MeasureStatus::Unmeasured;
            star.net = table.Cell(ResultsTable::NetColumn(slot), row);
            star.error = table.Cell(ResultsTable::ErrorColumn(slot), row);
            star.x = table.Cell(ResultsTable::NetColumn(slot), positionRow);
            star.y = table.Cell(ResultsTable::ErrorColumn(slot), positionRow);
            if (!star.Measured() || exposure <= 0.0F)
                return star;
            // Net counts per second (single precision) plus a millionth: the
            // logarithm's argument.
            const double rate = static_cast<double>(star.net / exposure) + 0.000001;
            if (rate > 0.0)
                star.instrumental = -2.5 * std::log10(rate);
            return star;
        };
        // St1's offset, held in single precision; none without St1's own
        // magnitude on the line.
        std::optional<float> offset = 0.0F;
        double st1Error = 0.0;
        if (settings.relativeToSt1) {
            const StarValue st1 = starValue(0);
            offset = st1.instrumental
                ? std::optional(static_cast<float>(st1Magnitude - static_cast<float>(*st1.instrumental)))
                : std::nullopt;
            st1Error = st1.error;
        }

        ResultLine line;
        line.file = file;
        line.diaphragm = k;
        line.radius = table.Cell(ResultsTable::kRadiusColumn, files.CurrentFile() + k);
        line.shift = table.ShiftOf(file);
        if (settings.radii[static_cast<std::size_t>(k)] != 0.0) {
            for (const int s : saved) {
                StarValue star = starValue(s);
                if (star.instrumental && offset) {
                    star.magnitude = *star.instrumental + static_cast<double>(*offset);
                    star.magnitudeError = settings.relativeToSt1
                        ? (s == 0 ? 0.0 : std::hypot(static_cast<double>(star.error), st1Error))
                        : static_cast<double>(star.error);
                }
                line.stars.push_back(star);
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<ResultLine> ResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings)
{
    std::vector<ResultLine> lines;
    for (int j = 1; j <= files.CurrentFile(); ++j) {
        std::vector<ResultLine> fileLines = FileResultLines(table, files, settings, j);
        lines.insert(lines.end(), std::make_move_iterator(fileLines.begin()), std::make_move_iterator(fileLines.end()));
    }
    return lines;
}

std::vector<StarTally> StarTallies(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings)
{
    std::vector<StarTally> tallies;
    for (const int slot : SavedStarSlots(table))
        tallies.push_back({ slot, 0, 0, 0 });
    // Per star, the worst status of the file's lines so far.
    std::vector<MeasureStatus> worst(tallies.size(), MeasureStatus::None);
    const auto rank = [](MeasureStatus status) {
        return status == MeasureStatus::Unmeasured ? 3 : status == MeasureStatus::Saturated ? 2 : 1;
    };
    for (const ResultLine& line : ResultLines(table, files, settings)) {
        for (std::size_t s = 0; s < line.stars.size(); ++s)
            if (worst[s] == MeasureStatus::None || rank(line.stars[s].status) > rank(worst[s]))
                worst[s] = line.stars[s].status;
        if (line.diaphragm != ResultsTable::kDiaphragms - 1)
            continue;
        for (std::size_t s = 0; s < tallies.size(); ++s) {
            tallies[s].measured += worst[s] == MeasureStatus::Ok || worst[s] == MeasureStatus::Saturated ? 1 : 0;
            tallies[s].saturated += worst[s] == MeasureStatus::Saturated ? 1 : 0;
            tallies[s].unmeasured += worst[s] == MeasureStatus::Unmeasured ? 1 : 0;
            worst[s] = MeasureStatus::None;
        }
    }
    return tallies;
}

} // namespace lumvane
