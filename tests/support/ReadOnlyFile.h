#pragma once

#include <string>
#include <sys/types.h>

namespace lumvane::test {

/// @brief Makes a file read-only for as long as the object lives.
///
/// A process running as root is not bound by file permissions, so then the
/// process also acts as the unprivileged user "nobody" meanwhile (its
/// effective user only; it takes root back at the end). The file's folder is
/// opened to everyone for reading so that "nobody" still finds the file.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& fileName);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

private:
    std::string m_fileName;
    std::string m_folder;
    mode_t m_folderMode = 0;
    bool m_droppedRoot = false;
};

} // namespace lumvane::test
