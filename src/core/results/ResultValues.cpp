#include "core/results/ResultValues.h"

#include <cmath>
#include <iterator>

namespace lumvane {

std::vector<int> SavedStarSlots(const ResultsTable& table)
{
    std::vector<int> slots;
    for (int s = 0; s < kSavedStars; ++s)
        if (table.Cell(ResultsTable::NetColumn(s), ResultsTable::ValueRow(1, 0)) != 0.0F)
            slots.push_back(s);
    return slots;
}

std::vector<ResultLine> FileResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, int file, St1Carry& carry)
{
    const std::vector<int> saved = SavedStarSlots(table);
    const double st1Magnitude = settings.st1Magnitude.value_or(0.0);
    const int relative = settings.relativeToSt1 ? 1 : 0;
    const float exposure = files.Entry(file).exposure;
    std::vector<ResultLine> lines;
    for (int k = 0; k < ResultsTable::kDiaphragms; ++k) {
        const int row = ResultsTable::ValueRow(file, k);
        // Net counts per second (single precision) plus a millionth: the
        // logarithm's argument.
        const auto instrumentalOf = [&](int slot) -> std::optional<double> {
            if (exposure <= 0.0F)
                return std::nullopt;
            const double rate
                = static_cast<double>(table.Cell(ResultsTable::NetColumn(slot), row) / exposure) + 0.000001;
            return rate > 0.0 ? std::optional(-2.5 * std::log10(rate)) : std::nullopt;
        };
        // A line whose St1 magnitude has no value keeps the one before.
        if (exposure > 0.0F) {
            if (const auto st1 = instrumentalOf(0))
                carry.instrumental = static_cast<float>(*st1);
            carry.offset = static_cast<float>((st1Magnitude - static_cast<double>(carry.instrumental)) * relative);
        }

        ResultLine line;
        line.file = file;
        line.diaphragm = k;
        line.radius = table.Cell(ResultsTable::kRadiusColumn, files.CurrentFile() + k);
        if (settings.radii[static_cast<std::size_t>(k)] != 0.0) {
            for (const int s : saved) {
                StarValue star;
                star.slot = s;
                star.net = table.Cell(ResultsTable::NetColumn(s), row);
                star.error = table.Cell(ResultsTable::ErrorColumn(s), row);
                star.instrumental = instrumentalOf(s);
                if (star.instrumental)
                    star.magnitude = *star.instrumental + static_cast<double>(carry.offset);
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
    St1Carry carry;
    std::vector<ResultLine> lines;
    for (int j = 1; j <= files.CurrentFile(); ++j) {
        std::vector<ResultLine> fileLines = FileResultLines(table, files, settings, j, carry);
        lines.insert(lines.end(), std::make_move_iterator(fileLines.begin()), std::make_move_iterator(fileLines.end()));
    }
    return lines;
}

} // namespace lumvane
