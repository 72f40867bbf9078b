#pragma once

#include <string>
#include <string_view>

namespace lumvane {

/// @brief The window caption after a file was chosen: "Lumvane - " and the
/// path with everything up to and including its first separator ("/" or "\")
/// removed; the whole path when it has none.
///
/// "/home/ann/obs/m31.fts" gives "Lumvane - home/ann/obs/m31.fts".
std::string WindowCaption(std::string_view path);

/// @brief The file name the File info panel shows for a listed name (the
/// last 12 characters of a path, blank-padded): everything up to and
/// including its first separator removed, trailing blanks kept.
///
/// "/obs/m31.fts" gives "obs/m31.fts"; "/tmp/a.fts  " gives "tmp/a.fts  ".
std::string ListedFileName(std::string_view listedName);

} // namespace lumvane
