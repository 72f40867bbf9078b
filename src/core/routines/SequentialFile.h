#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumvane {

/// @brief A regular file read from its start, in order, in requested byte
/// counts. Every reader of the program opens its files so.
///
/// Opening never waits: anything that is not a regular file (a pipe, a
/// device, a socket, a folder, the system's /proc and /sys files) is refused
/// before it could block a read or never end. Unbuffered: every Read goes
/// straight into the caller's buffer, which is what large row reads want.
class SequentialFile {
public:
    explicit SequentialFile(const std::string& fileName);
    ~SequentialFile();
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    bool IsOpen() const { return m_descriptor >= 0; }
    /// Why the file did not open or a read failed: the system's reason, or
    /// "not a regular file"; empty while all is well.
    const std::string& Reason() const { return m_reason; }
    /// The file's size in bytes when it was opened.
    std::uintmax_t Size() const { return m_size; }
    /// Reads up to `count` bytes into `buffer`; returns how many were read
    /// (fewer only at the end of the file or on an error).
    std::size_t Read(void* buffer, std::size_t count);

private:
    int m_descriptor = -1;
    std::string m_reason;
    std::uintmax_t m_size = 0;
};

/// @brief "Cannot open file NAME: REASON", what every reader reports.
std::string CannotOpenFileText(std::string_view fileName, std::string_view reason);

/// @brief A whole small file, as SmallFileBytes read it.
struct SmallFile {
    bool read = false;
    bool tooBig = false; ///< larger than the limit: nothing was read
    std::string bytes;
    std::string reason; ///< why it could not be opened or read
};

/// @brief Reads the whole file when it holds at most `limit` bytes.
SmallFile SmallFileBytes(const std::string& fileName, std::size_t limit);

} // namespace lumvane
