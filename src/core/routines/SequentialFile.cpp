#include "core/routines/SequentialFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace lumvane {
namespace {

const char* const kNotRegular = "not a regular file";

/// The system's files under /proc and /sys call themselves regular, but may
/// block or never end.
bool IsSystemFile(int descriptor)
{
    struct statfs system { };
    return ::fstatfs(descriptor, &system) == 0 && (system.f_type == PROC_SUPER_MAGIC || system.f_type == SYSFS_MAGIC);
}

/// Why a file of this kind is not read; empty for a regular file.
std::string KindProblem(const struct stat& info)
{
    if (S_ISDIR(info.st_mode))
        return std::strerror(EISDIR);
    return S_ISREG(info.st_mode) ? std::string() : kNotRegular;
}

} // namespace

SequentialFile::SequentialFile(const std::string& fileName)
{
    // The name is looked at before anything is opened: opening a pipe waits
    // for a writer, and opening a device may do anything.
    struct stat info { };
    if (::stat(fileName.c_str(), &info) != 0) {
        m_reason = std::strerror(errno);
        return;
    }
    if (m_reason = KindProblem(info); !m_reason.empty())
        return;
    // Without waiting all the same, should the name have changed meanwhile.
    const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        m_reason = std::strerror(errno);
        return;
    }
    if (::fstat(descriptor, &info) != 0)
        m_reason = std::strerror(errno);
    else if (m_reason = KindProblem(info); m_reason.empty() && IsSystemFile(descriptor))
        m_reason = kNotRegular;
    const int flags = m_reason.empty() ? ::fcntl(descriptor, F_GETFL) : -1;
    if (!m_reason.empty() || flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        if (m_reason.empty())
            m_reason = std::strerror(errno);
        ::close(descriptor);
        return;
    }
    m_descriptor = descriptor;
    m_size = static_cast<std::uintmax_t>(info.st_size);
}

SequentialFile::~SequentialFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

std::size_t SequentialFile::Read(void* buffer, std::size_t count)
{
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (m_descriptor >= 0 && done < count) {
        const ssize_t got = ::read(m_descriptor, bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            m_reason = std::strerror(errno);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::string CannotOpenFileText(std::string_view fileName, std::string_view reason)
{
    std::string text = "Cannot open file ";
    text.append(fileName).append(": ").append(reason);
    return text;
}

SmallFile SmallFileBytes(const std::string& fileName, std::size_t limit)
{
    SmallFile result;
    SequentialFile file(fileName);
    if (!file.IsOpen()) {
        result.reason = file.Reason();
        return result;
    }
    if (file.Size() > limit) {
        result.tooBig = true;
        return result;
    }
    // One byte past the limit tells a file that grew meanwhile.
    result.bytes.resize(limit + 1);
    result.bytes.resize(file.Read(result.bytes.data(), result.bytes.size()));
    if (!file.Reason().empty()) {
        result.bytes.clear();
        result.reason = file.Reason();
    } else if (result.bytes.size() > limit) {
        result.bytes.clear();
        result.tooBig = true;
    } else {
        result.read = true;
    }
    return result;
}

} // namespace lumvane
