#include "core/patrol/SeriesNaming.h"

#include "core/routines/SequentialFile.h"

#include <charconv>
#include <cstdio>

namespace lumvane {

std::string SeriesStem(std::string_view firstFile)
{
    const auto separator = firstFile.find_last_of("/\\");
    const auto nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const auto dot = firstFile.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart)
        return std::string(firstFile);
    return std::string(firstFile.substr(0, dot));
}

int SeriesFirstNumber(std::string_view firstFile)
{
    const std::string stem = SeriesStem(firstFile);
    if (stem.size() == firstFile.size())
        return 1;
    const std::string_view extension = firstFile.substr(stem.size() + 1);
    int number = 0;
    const auto [end, error] = std::from_chars(extension.data(), extension.data() + extension.size(), number);
    const bool digits = error == std::errc() && end == extension.data() + extension.size()
        && extension.find_first_not_of("0123456789") == std::string_view::npos;
    return digits && extension.size() <= 3 ? number : 1;
}

std::optional<std::string> SeriesFileName(std::string_view stem, int fileNumber)
{
    if (fileNumber < 1 || fileNumber > kMaxSeriesFiles)
        return std::nullopt;
    char extension[8];
    std::snprintf(extension, sizeof extension, ".%03d", fileNumber);
    return std::string(stem) + extension;
}

int CountFollowingSeriesFiles(std::string_view firstFile)
{
    const std::string stem = SeriesStem(firstFile);
    int count = 0;
    for (int number = SeriesFirstNumber(firstFile) + 1; number <= kMaxSeriesFiles; ++number) {
        if (!SequentialFile(*SeriesFileName(stem, number)).IsOpen())
            break;
        ++count;
    }
    return count;
}

} // namespace lumvane
