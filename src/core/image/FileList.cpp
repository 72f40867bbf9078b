#include "core/image/FileList.h"

#include <cstddef>
#include <utility>

namespace lumvane {

const FileEntry& FileList::Entry(int fileNumber) const
{
    static const FileEntry blank;
    if (fileNumber < 0 || static_cast<std::size_t>(fileNumber) >= m_entries.size())
        return blank;
    return m_entries[static_cast<std::size_t>(fileNumber)];
}

void FileList::RecordCurrent(FileEntry entry)
{
    const auto index = static_cast<std::size_t>(m_currentFile < 0 ? 0 : m_currentFile);
    if (index >= m_entries.size())
        m_entries.resize(index + 1);
    m_entries[index] = std::move(entry);
}

void FileList::Clear()
{
    m_entries.clear();
}

} // namespace lumvane
