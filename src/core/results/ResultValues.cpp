#include "core/results/ResultValues.h"

#include <cmath>

namespace lumvane {

std::vector<int> SavedStarSlots(const ResultsTable& table)
{
    std::vector<int> slots;
    for (int s = 0; s < kSavedStars; ++s)
        if (table.Cell(ResultsTable::NetColumn(s), ResultsTable::ValueRow(1, 0)) != 0.0F)
            slots.push_back(s);
    return slots;
}

std::vector<ResultLine> ResultLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings)
{
    const std::vector<int> saved = SavedStarSlots(table);
    const int fileCount = files.CurrentFile();
    const double st1Magnitude = settings.st1Magnitude.value_or(0.0);
    const int relative = settings.relativeToSt1 ? 1 : 0;
    // Both are kept from line to line: a line whose St1 magnitude has no value
    // keeps the previous one.
    float st1Instrumental = 0.0F;
    float offset = 0.0F;
    std::vector<ResultLine> lines;
    for (int j = 1; j <= fileCount; ++j) {
        const float exposure = files.Entry(j).exposure;
        for (int k = 0; k < ResultsTable::kDiaphragms; ++k) {
            const int row = ResultsTable::ValueRow(j, k);
            // Net counts per second (single precision) plus a millionth: the
            // logarithm's argument.
            const auto instrumentalOf = [&](int slot) -> std::optional<double> {
                if (exposure <= 0.0F)
                    return std::nullopt;
                const double rate
                    = static_cast<double>(table.Cell(ResultsTable::NetColumn(slot), row) / exposure) + 0.000001;
                return rate > 0.0 ? std::optional(-2.5 * std::log10(rate)) : std::nullopt;
            };
            if (exposure > 0.0F) {
                if (const auto st1 = instrumentalOf(0))
                    st1Instrumental = static_cast<float>(*st1);
                offset = static_cast<float>((st1Magnitude - static_cast<double>(st1Instrumental)) * relative);
            }

            ResultLine line;
            line.file = j;
            line.diaphragm = k;
            line.radius = table.Cell(ResultsTable::kRadiusColumn, fileCount + k);
            if (settings.radii[static_cast<std::size_t>(k)] != 0.0) {
                for (const int s : saved) {
                    StarValue star;
                    star.slot = s;
                    star.net = table.Cell(ResultsTable::NetColumn(s), row);
                    star.error = table.Cell(ResultsTable::ErrorColumn(s), row);
                    star.instrumental = instrumentalOf(s);
                    if (star.instrumental)
                        star.magnitude = *star.instrumental + static_cast<double>(offset);
                    line.stars.push_back(star);
                }
            }
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace lumvane
