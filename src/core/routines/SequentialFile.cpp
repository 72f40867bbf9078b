#include "core/routines/SequentialFile.h"

#include <sys/stat.h>

namespace lumvane {

SequentialFile::SequentialFile(const std::string& fileName)
{
    // A folder opens for reading on this platform but has no bytes to give.
    struct stat info { };
    if (::stat(fileName.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return;
    m_file = std::fopen(fileName.c_str(), "rb");
    if (m_file)
        std::setvbuf(m_file, nullptr, _IONBF, 0);
}

SequentialFile::~SequentialFile()
{
    if (m_file)
        std::fclose(m_file);
}

std::size_t SequentialFile::Read(void* buffer, std::size_t count)
{
    return m_file ? std::fread(buffer, 1, count, m_file) : 0;
}

} // namespace lumvane
