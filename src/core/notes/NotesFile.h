#pragma once

#include "core/common/FileWrite.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lumvane {

/// The largest notes file that is opened, in bytes.
inline constexpr std::size_t kNotesFileLimit = 30000;

/// @brief The notes box text of a file's text: its line ends (CR LF, or a lone
/// CR or LF) become LF, the box's own line break.
std::string NotesBoxText(std::string_view fileText);

/// @brief The file text of the notes box: every LF becomes CR LF, and one CR LF
/// follows the text, so a notes file saved and opened again gains one line end
/// at the end with every save.
std::string NotesFileText(std::string_view boxText);

enum class NotesReadStatus {
    Read,
    TooBig, ///< larger than kNotesFileLimit bytes: nothing was read
    Unreadable, ///< missing, no regular file, or no permission to read it
};

/// What opening a notes file gave.
struct NotesReadResult {
    NotesReadStatus status = NotesReadStatus::Unreadable;
    std::string text; ///< the box text (NotesBoxText) when read
    std::string reason; ///< the system's reason when unreadable
};

/// @brief Reads a notes file of at most kNotesFileLimit bytes as box text.
NotesReadResult ReadNotesFile(const std::string& fileName);

/// @brief Writes the notes box text as a notes file (NotesFileText), creating
/// or replacing the file.
WriteResult WriteNotesFile(const std::string& fileName, std::string_view boxText);

} // namespace lumvane
