#include "core/results/ResultsFile.h"

#include "core/common/NumberText.h"
#include "core/common/Rounding.h"
#include "core/results/ResultValues.h"

#include <algorithm>
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

/// The number text of a value in a field of `width` characters, if it has one.
std::optional<std::string> NumberIn(std::optional<double> value, std::size_t width)
{
    return value ? FieldNumberText(*value, width) : std::nullopt;
}

/// |k| / 10^decimals in the number text's digits: no digit before the point
/// below 1, trailing zeros dropped.
std::string ScaledDigits(std::int64_t k, int decimals)
{
    std::string digits = std::to_string(k < 0 ? -k : k);
    if (decimals == 0 || k == 0)
        return digits;
    const auto fraction = static_cast<std::size_t>(decimals);
    if (digits.size() <= fraction)
        digits.insert(0, fraction - digits.size() + 1, '0');
    digits.insert(digits.size() - fraction, 1, '.');
    while (digits.back() == '0')
        digits.pop_back();
    if (digits.back() == '.')
        digits.pop_back();
    return digits.front() == '0' ? digits.substr(1) : digits;
}

} // namespace

std::optional<std::string> FieldNumberText(double value, std::size_t width)
{
    // Beyond 15 digits no field of the file could hold the number anyway.
    if (!std::isfinite(value) || std::fabs(value) >= 1.0e15 || width < 2)
        return std::nullopt;
    // Sign, integer digits, point and decimals fill the field; one decimal
    // less where rounding carries into another integer digit.
    int integerDigits = 0;
    for (double whole = std::fabs(value); whole >= 1.0; whole /= 10.0)
        ++integerDigits;
    for (int decimals = std::max(0, static_cast<int>(width) - 2 - integerDigits); decimals >= 0; --decimals) {
        const auto k = static_cast<std::int64_t>(RoundHalfEven(value * std::pow(10.0, decimals)));
        std::string text(1, k < 0 ? '-' : ' ');
        text += ScaledDigits(k, decimals);
        if (text.size() <= width)
            return text;
    }
    return std::nullopt;
}

std::string ResultsFileHeading(const ResultsTable& table)
{
    // A star has a column when it was remembered on the first file.
    std::string starHeadings;
    for (const int s : SavedStarSlots(table))
        starHeadings += Field("Star" + NumberText(s + 1), 8) + "Err  ";

    Lines lines;
    lines.Write("File         Time   R");
    lines.MoveTo(24);
    lines.Write(starHeadings);
    lines.End();
    lines.End();
    return lines.Text();
}

std::string ResultsFileLines(
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, int file)
{
    Lines lines;
    const FileEntry& entry = files.Entry(file);
    for (const ResultLine& line : FileResultLines(table, files, settings, file)) {
        std::string fields;
        for (const StarValue& star : line.stars) {
            // The 8-character value field holds a blank and a 7-character
            // magnitude, or 8 characters of net counts.
            std::optional<std::string> value;
            if (star.Measured() && entry.exposure <= 0.0F)
                value = NumberIn(FlooredToThousandths(star.net), 8);
            else if (star.Measured())
                value = NumberIn(star.magnitude, 7);
            if (value && entry.exposure > 0.0F)
                value->insert(0, 1, ' ');
            // An undefined value has no error either.
            const auto error = value ? NumberIn(FlooredToThousandths(star.error), 5) : std::nullopt;
            fields += Field(value.value_or(std::string(kUndefinedValueField)), 8)
                + Field(error.value_or(std::string(kNoErrorField)), 5);
        }
        if (!fields.empty()) {
            lines.Write(Field(entry.name, 12));
            lines.MoveTo(14);
            lines.Write(Field(entry.time, 5));
            lines.MoveTo(20);
            lines.Write(NumberText(line.radius));
            lines.MoveTo(23);
            lines.Write(fields);
            lines.End();
        }
    }
    lines.End();
    return lines.Text();
}

std::string ResultsFileText(const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings)
{
    std::string text = ResultsFileHeading(table);
    for (int file = 1; file <= files.CurrentFile(); ++file)
        text += ResultsFileLines(table, files, settings, file);
    return text;
}

} // namespace lumvane
