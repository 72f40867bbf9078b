#include "core/app/FileNameText.h"

namespace lumvane {

namespace {

std::string_view AfterFirstSeparator(std::string_view path)
{
    const auto separator = path.find_first_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace

std::string WindowCaption(std::string_view path)
{
    return "Lumvane - " + std::string(AfterFirstSeparator(path));
}

std::string ListedFileName(std::string_view listedName)
{
    return std::string(AfterFirstSeparator(listedName));
}

} // namespace lumvane
