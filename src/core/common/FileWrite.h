#pragma once

#include <string>
#include <string_view>

namespace lumvane {

/// What writing a file did.
struct WriteResult {
    bool written = false;
    std::string reason; ///< the system's reason when the file could not be written
};

/// @brief Writes the bytes to the file, replacing any file of that name. A
/// relative name resolves against the current folder.
WriteResult WriteFileBytes(const std::string& fileName, std::string_view bytes);

/// @brief "Cannot write file NAME: REASON", what every writer reports.
std::string CannotWriteFileText(std::string_view fileName, std::string_view reason);

} // namespace lumvane
