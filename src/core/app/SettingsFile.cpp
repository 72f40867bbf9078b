#include "core/app/SettingsFile.h"

#include "core/common/FileWrite.h"
#include "core/common/NumberText.h"
#include "core/common/NumericValue.h"
#include "core/routines/SequentialFile.h"

#include <algorithm>

namespace lumvane {
namespace {

constexpr char kLineEnd[] = "\r\n";
// Far more than the two lines the program writes.
constexpr std::size_t kSettingsFileLimit = 4096;

/// Line `index` (from 0) of a text whose lines end with CR LF, LF or CR;
/// empty when the text has fewer lines.
std::string_view Line(std::string_view text, int index)
{
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n");
        if (index == 0)
            return text.substr(0, end);
        if (end == std::string_view::npos)
            return {};
        const std::size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
        --index;
    }
}

/// The characters from position `from` (counted from 1), as many as there are
/// up to `count`.
std::string_view Field(std::string_view line, std::size_t from, std::size_t count)
{
    return from - 1 < line.size() ? line.substr(from - 1, count) : std::string_view {};
}

double FieldValue(std::string_view line, std::size_t from)
{
    return NumericValue(Field(line, from, 2));
}

} // namespace

std::filesystem::path SettingsFilePath(const std::filesystem::path& programFolder)
{
    return programFolder / kSettingsFileName;
}

std::string NewSettingsText()
{
    return std::string("Do not delete or change this file!") + kLineEnd + std::string(kDefaultOptionsLine) + kLineEnd;
}

std::string SavedSettingsText(std::string_view optionsRecord)
{
    return std::string("Do not change this file!") + kLineEnd + std::string(optionsRecord) + kLineEnd;
}

std::optional<OptionsTab> OptionsOfSettingsText(std::string_view text)
{
    const std::string_view line = Line(text, 1);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isFlag = [](char c) { return c == '0' || c == '1'; };
    if (line.size() != 8 || !std::all_of(line.begin(), line.begin() + 6, isDigit) || !isFlag(line[6])
        || !isFlag(line[7]))
        return std::nullopt;
    OptionsTab tab;

    tab.inner = NumberText((FieldValue(line, 1) - 10.0) / 10.0);
    const double inner = NumericValue(tab.inner);
    if (inner < 0.1 || inner > 3.0)
        tab.inner = "1.0";

    tab.outer = NumberText((FieldValue(line, 3) - 10.0) / 10.0);
    const double outer = NumericValue(tab.outer);
    if (outer > 4.0 || outer < NumericValue(tab.inner))
        tab.outer = "2.0";

    tab.median = NumberText(FieldValue(line, 5) - 10.0);
    const double median = NumericValue(tab.median);
    if (median < 0.0 || median > 30.0)
        tab.median = "10";

    tab.maxMethod = Field(line, 7, 1) == "1";
    tab.saveRelative = Field(line, 8, 1) == "1";
    return tab;
}

SettingsLoadResult LoadSettings(const std::filesystem::path& file)
{
    SettingsLoadResult result;
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        // A file that can't be read leaves the controls at their design values.
        const SmallFile text = SmallFileBytes(file.string(), kSettingsFileLimit);
        const std::optional<OptionsTab> tab = text.read ? OptionsOfSettingsText(text.bytes) : std::nullopt;
        result.tab = tab.value_or(OptionsTab {});
        result.unreadable = !tab;
        return result;
    }
    const WriteResult written = WriteFileBytes(file.string(), NewSettingsText());
    result.created = written.written;
    result.reason = written.reason;
    return result;
}

} // namespace lumvane
