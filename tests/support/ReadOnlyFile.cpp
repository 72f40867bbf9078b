#include "support/ReadOnlyFile.h"

#include <filesystem>
#include <stdexcept>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumvane::test {

ReadOnlyFile::ReadOnlyFile(const std::string& fileName)
    : m_fileName(fileName)
    , m_folder(std::filesystem::path(fileName).parent_path().string())
{
    struct stat folder { };
    if (::stat(m_folder.c_str(), &folder) != 0 || ::chmod(fileName.c_str(), 0444) != 0)
        throw std::runtime_error("cannot make " + fileName + " read-only");
    m_folderMode = folder.st_mode & 07777;
    if (::geteuid() != 0)
        return;
    ::chmod(m_folder.c_str(), 0755);
    const passwd* nobody = ::getpwnam("nobody");
    if (::seteuid(nobody != nullptr ? nobody->pw_uid : 65534) != 0)
        throw std::runtime_error("cannot act as an unprivileged user");
    m_droppedRoot = true;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_droppedRoot && ::seteuid(0) == 0)
        ::chmod(m_folder.c_str(), m_folderMode);
    ::chmod(m_fileName.c_str(), 0644);
}

} // namespace lumvane::test
