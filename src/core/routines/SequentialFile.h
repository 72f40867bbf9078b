#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace lumvane {

/// @brief A file read from its start, in order, in requested byte counts.
///
/// Unbuffered: every Read is one call to the system, straight into the
/// caller's buffer, which is what large row reads want.
class SequentialFile {
public:
    explicit SequentialFile(const std::string& fileName);
    ~SequentialFile();
    SequentialFile(const SequentialFile&) = delete;
    SequentialFile& operator=(const SequentialFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    /// Reads up to `count` bytes into `buffer`; returns how many were read
    /// (fewer only at the end of the file or on an error).
    std::size_t Read(void* buffer, std::size_t count);

private:
    std::FILE* m_file = nullptr;
};

} // namespace lumvane
