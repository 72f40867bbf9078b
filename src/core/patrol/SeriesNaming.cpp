#include "core/patrol/SeriesNaming.h"

#include "core/routines/SequentialFile.h"

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
    for (int fileNumber = 2; fileNumber <= kMaxSeriesFiles; ++fileNumber) {
        if (!SequentialFile(*SeriesFileName(stem, fileNumber)).IsOpen())
            break;
        ++count;
    }
    return count;
}

} // namespace lumvane
