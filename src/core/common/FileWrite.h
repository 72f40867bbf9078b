#pragma once

#include <string>
#include <string_view>

namespace lumvane {

/// What writing a file did.
struct WriteResult {
    bool written = false;
    std::string reason; ///< the system's reason when the file could not be written
};

/// @brief A file open for writing, closed with the object.
class OpenFile {
public:
    OpenFile() = default;
    explicit OpenFile(int descriptor)
        : m_descriptor(descriptor)
    {
    }
    ~OpenFile();
    OpenFile(OpenFile&& other) noexcept;
    OpenFile& operator=(OpenFile&& other) noexcept;

    bool IsOpen() const { return m_descriptor >= 0; }
    int Descriptor() const { return m_descriptor; }
    /// Writes every byte at the file's position, going on after partial
    /// writes and interruptions.
    WriteResult Write(std::string_view bytes) const;

private:
    int m_descriptor = -1;
};

/// @brief Replaces the file with the bytes so that it holds either its old
/// content or the whole new one, whatever happens meanwhile. A relative name
/// resolves against the current folder.
///
/// The bytes go to a temporary file of a name of its own in the same folder
/// (".NAME.XXXXXX", created exclusively), are flushed to the device, and the
/// temporary file is renamed over NAME with the old file's permissions. On
/// failure NAME is left as it was, the temporary file is removed and `reason`
/// says why. A file NAME that exists but may not be written is refused. A name
/// that leads to a link is written through it. Devices (/dev/null, a pipe,
/// /dev/stdout) are written in place, as they can't be replaced. With `kept`,
/// a replaced file stays open there, positioned at its end.
WriteResult WriteFileBytes(const std::string& fileName, std::string_view bytes, OpenFile* kept = nullptr);

/// @brief Whether WriteFileBytes could replace the file, found before the work
/// that makes its bytes: a temporary file is created beside it and removed,
/// and a file of that name must be writable; devices are taken as they are.
WriteResult CanReplaceFile(const std::string& fileName);

/// @brief "Cannot write file NAME: REASON", what every writer reports.
std::string CannotWriteFileText(std::string_view fileName, std::string_view reason);

} // namespace lumvane
