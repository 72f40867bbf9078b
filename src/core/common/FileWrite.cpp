#include "core/common/FileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumvane {
namespace {

namespace fs = std::filesystem;

WriteResult Failed(int error)
{
    return { false, error != 0 ? std::strerror(error) : "write error" };
}

/// Names under /dev and /proc stand for devices and other processes' files
/// (/dev/stdout may lead to a file the shell opened): no temporary file can
/// stand in for them.
bool IsSystemName(const fs::path& name)
{
    std::error_code error;
    const fs::path full = fs::absolute(name, error).lexically_normal();
    auto part = full.begin();
    if (error || part == full.end() || ++part == full.end())
        return false;
    return *part == "dev" || *part == "proc";
}

/// The file a name leads to: a link is followed to the file it names.
fs::path Resolved(const std::string& fileName)
{
    std::error_code error;
    if (fs::is_symlink(fileName, error)) {
        fs::path target = fs::canonical(fileName, error);
        if (!error)
            return target;
    }
    return fileName;
}

/// Where the bytes for a name go, and how.
struct Destination {
    fs::path target; ///< the file a link leads to, else the name
    bool exists = false;
    struct stat old { };
    bool inPlace = false; ///< a device or the like, written as it stands
    int error = 0; ///< why it may not be written; 0 when it may
};

Destination DestinationOf(const std::string& fileName)
{
    Destination destination;
    destination.target = Resolved(fileName);
    destination.exists = ::stat(destination.target.c_str(), &destination.old) == 0;
    destination.inPlace = IsSystemName(fileName) || (destination.exists && !S_ISREG(destination.old.st_mode));
    // A file its owner made read-only stays as it is.
    if (!destination.inPlace && destination.exists
        && ::faccessat(AT_FDCWD, destination.target.c_str(), W_OK, AT_EACCESS) != 0)
        destination.error = errno;
    return destination;
}

WriteResult WriteInPlace(const std::string& fileName, std::string_view bytes)
{
    const OpenFile file(::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file.IsOpen())
        return Failed(errno);
    return file.Write(bytes);
}

/// Creates ".NAME.XXXXXX" beside the target, a name no other writer holds;
/// the system's mask gives it the permissions of any new file.
OpenFile CreateTemporary(const fs::path& target, std::string& temporaryName)
{
    static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    // Short enough that the added 8 characters keep within a name's limit.
    std::string stem(1, '.');
    stem.append(target.filename().string(), 0, 200).append(1, '.');
    std::random_device device;
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = stem;
        for (int i = 0; i < 6; ++i)
            name += kLetters[letter(device)];
        temporaryName = (folder / name).string();
        OpenFile file(::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.IsOpen() || errno != EEXIST)
            return file;
    }
    return OpenFile();
}

/// Flushes the folder's entries, so that a rename survives a power cut; a
/// folder that can't be opened is left to the system's own timing.
void SyncFolderOf(const fs::path& fileName)
{
    fs::path folder = fileName.parent_path();
    if (folder.empty())
        folder = ".";
    const OpenFile entries(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (entries.IsOpen())
        ::fsync(entries.Descriptor());
}

} // namespace

OpenFile::~OpenFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

OpenFile::OpenFile(OpenFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
{
}

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

WriteResult OpenFile::Write(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Failed(written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return { true, {} };
}

WriteResult WriteFileBytes(const std::string& fileName, std::string_view bytes, OpenFile* kept)
{
    const Destination destination = DestinationOf(fileName);
    if (destination.inPlace)
        return WriteInPlace(fileName, bytes);
    if (destination.error != 0)
        return Failed(destination.error);

    const fs::path& target = destination.target;
    const struct stat& old = destination.old;
    std::string temporary;
    OpenFile file = CreateTemporary(target, temporary);
    if (!file.IsOpen())
        return Failed(errno);
    if (destination.exists) {
        // Only the superuser gives a file away; a file the writer then owns
        // keeps no set-user or set-group bit.
        const bool sameOwner = ::fchown(file.Descriptor(), old.st_uid, old.st_gid) == 0;
        ::fchmod(file.Descriptor(), old.st_mode & (sameOwner ? 07777 : 01777));
    }
    WriteResult result = file.Write(bytes);
    int error = 0;
    if (result.written && ::fdatasync(file.Descriptor()) != 0)
        error = errno;
    else if (result.written && std::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        result = Failed(error);
    if (!result.written) {
        file = OpenFile();
        ::unlink(temporary.c_str());
        return result;
    }
    SyncFolderOf(target);
    if (kept)
        *kept = std::move(file);
    return result;
}

WriteResult CanReplaceFile(const std::string& fileName)
{
    const Destination destination = DestinationOf(fileName);
    if (destination.inPlace)
        return destination.exists && S_ISDIR(destination.old.st_mode) ? Failed(EISDIR) : WriteResult { true, {} };
    if (destination.error != 0)
        return Failed(destination.error);
    std::string temporary;
    const OpenFile file = CreateTemporary(destination.target, temporary);
    if (!file.IsOpen())
        return Failed(errno);
    ::unlink(temporary.c_str());
    return { true, {} };
}

std::string CannotWriteFileText(std::string_view fileName, std::string_view reason)
{
    std::string text = "Cannot write file ";
    text.append(fileName).append(": ").append(reason);
    return text;
}

} // namespace lumvane
