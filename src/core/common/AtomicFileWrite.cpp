#include "core/common/AtomicFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace lumvane {
namespace {

std::string Reason(int error)
{
    return error != 0 ? std::strerror(error) : "write error";
}

/// Writes every byte, going on after partial writes and interruptions.
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

/// Flushes the folder's entries; a folder that can't be opened is left to the
/// system's own timing.
void SyncFolderOf(const std::string& fileName)
{
    std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
    if (folder.empty())
        folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

WriteResult WriteFileAtomically(const std::string& fileName, std::string_view bytes)
{
    const std::string temporary = fileName + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return { false, Reason(errno) };
    bool done = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.c_str());
        return { false, Reason(error) };
    }
    SyncFolderOf(fileName);
    return { true, {} };
}

} // namespace lumvane
