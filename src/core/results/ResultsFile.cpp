#include "core/results/ResultsFile.h"

#include "core/common/NumberText.h"
#include "core/common/Rounding.h"
#include "core/results/ResultValues.h"

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
    const ResultsTable& table, const FileList& files, const ResultsFileSettings& settings, int file, St1Carry& carry)
{
    Lines lines;
    const FileEntry& entry = files.Entry(file);
    for (const ResultLine& line : FileResultLines(table, files, settings, file, carry)) {
        std::string fields;
        for (const StarValue& star : line.stars) {
            std::string value = " 99.999";
            if (entry.exposure <= 0.0F)
                value = FlooredText(star.net);
            else if (star.magnitude)
                value = NumberText(*star.magnitude).insert(0, 1, ' ');
            fields += Field(value, 8) + Field(FlooredText(star.error), 5);
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
    St1Carry carry;
    for (int file = 1; file <= files.CurrentFile(); ++file)
        text += ResultsFileLines(table, files, settings, file, carry);
    return text;
}

} // namespace lumvane
