#include "core/patrol/ResultsFile.h"

#include "core/common/NumberText.h"
#include "core/common/NumericValue.h"
#include "core/common/Rounding.h"

#include <cmath>

namespace lumvane {
namespace {

constexpr char kLineEnd[] = "\r\n";

/// The text cut to its width or padded on the right with blanks.
std::string Field(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text.substr(0, width) : text + std::string(width - text.size(), ' ');
}

/// Builds lines column by column; columns count from 1.
class Lines {
public:
    void Write(const std::string& text)
    {
        m_text += text;
        m_column += text.size();
    }

    /// Blanks up to column c; a line already past it ends, and the next one
    /// starts with blanks up to column c.
    void MoveTo(std::size_t column)
    {
        if (m_column > column)
            End();
        m_text.append(column - m_column, ' ');
        m_column = column;
    }

    void End()
    {
        m_text += kLineEnd;
        m_column = 1;
    }

    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    std::size_t m_column = 1;
};

/// Counts floored to three decimals, in single precision.
std::string FlooredText(float value)
{
    return NumberText(FlooredToThousandths(value));
}

} // namespace

std::string ResultsFileText(const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings)
{
    // A star has a column when it was remembered on the first file.
    std::array<bool, kSavedStars> saved {};
    std::string starHeadings;
    for (int s = 0; s < kSavedStars; ++s) {
        auto& isSaved = saved[static_cast<std::size_t>(s)];
        isSaved = table.Cell(ResultsTable::NetColumn(s), ResultsTable::ValueRow(1, 0)) != 0.0F;
        if (isSaved)
            starHeadings += Field("Star" + NumberText(s + 1), 8) + "Err  ";
    }

    Lines lines;
    lines.Write("File         Time   R");
    lines.MoveTo(24);
    lines.Write(starHeadings);
    lines.End();
    lines.End();

    const int fileCount = files.CurrentFile();
    const double st1Magnitude = NumericValue(settings.st1Magnitude);
    const int relative = settings.relativeToSt1 ? 1 : 0;
    // Both are kept from line to line: a line whose St1 magnitude has no value
    // keeps the previous one.
    float st1Instrumental = 0.0F;
    float offset = 0.0F;
    for (int j = 1; j <= fileCount; ++j) {
        const FileEntry& entry = files.Entry(j);
        const float exposure = entry.exposure;
        for (int k = 0; k < ResultsTable::kDiaphragms; ++k) {
            const int row = ResultsTable::ValueRow(j, k);
            const bool diaphragmSet = NumericValue(settings.radiusTexts[static_cast<std::size_t>(k)]) != 0.0;
            // Net counts per second (single precision) plus a millionth: the
            // logarithm's argument.
            const auto rateOf
                = [&](int column) { return static_cast<double>(table.Cell(column, row) / exposure) + 0.000001; };
            if (exposure > 0.0F) {
                const double st1Rate = rateOf(ResultsTable::NetColumn(0));
                if (st1Rate > 0.0)
                    st1Instrumental = static_cast<float>(-2.5 * std::log10(st1Rate));
                offset = static_cast<float>((st1Magnitude - static_cast<double>(st1Instrumental)) * relative);
            }

            std::string fields;
            for (int s = 0; s < kSavedStars; ++s) {
                if (!saved[static_cast<std::size_t>(s)] || !diaphragmSet)
                    continue;
                std::string value = " 99.999";
                if (exposure <= 0.0F)
                    value = FlooredText(table.Cell(ResultsTable::NetColumn(s), row));
                else if (const double rate = rateOf(ResultsTable::NetColumn(s)); rate > 0.0)
                    value = NumberText(-2.5 * std::log10(rate) + static_cast<double>(offset)).insert(0, 1, ' ');
                fields += Field(value, 8) + Field(FlooredText(table.Cell(ResultsTable::ErrorColumn(s), row)), 5);
            }
            if (fields.empty())
                continue;
            lines.Write(Field(entry.name, 12));
            lines.MoveTo(14);
            lines.Write(Field(entry.time, 5));
            lines.MoveTo(20);
            lines.Write(NumberText(table.Cell(ResultsTable::kRadiusColumn, fileCount + k)));
            lines.MoveTo(23);
            lines.Write(fields);
            lines.End();
        }
        lines.End();
    }
    return lines.Text();
}

} // namespace lumvane
