#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumvane {

/// A series holds files 1..999: the extension has three digits.
inline constexpr int kMaxSeriesFiles = 999;

/// @brief The stem shared by the files of a patrol series: the first file's
/// full name up to, not including, the last "." of its file name.
///
/// Only the file name's own dot counts, so a folder with a dot in its name
/// ("./obs", "my.data") keeps the series going; "/obs/m31.005" gives "/obs/m31"
/// whatever its extension. A file name without a dot is its own stem. Both "/"
/// and "\" separate folders.
std::string SeriesStem(std::string_view firstFile);

/// @brief The number of the first file of a series: its extension read as a
/// number when it is one to three digits ("m31.010" gives 10), else 1. The
/// next file of the series has the next number.
int SeriesFirstNumber(std::string_view firstFile);

/// @brief The name of file n of a series: stem + "." + n in three digits,
/// zero-padded (2 gives ".002"). Nothing for n outside 1..999: no such file
/// can be named, and the series ends there.
std::optional<std::string> SeriesFileName(std::string_view stem, int fileNumber);

/// @brief How many files a walk from `firstFile` will find if nothing changes
/// meanwhile: the files numbered after it that can be opened for reading, in
/// a row (the first missing one ends the count, as it ends the walk). 0 when
/// the next one is missing; at most 998.
int CountFollowingSeriesFiles(std::string_view firstFile);

} // namespace lumvane
