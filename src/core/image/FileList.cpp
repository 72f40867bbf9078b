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

void FileList::RecordCurrent(FileEntry entry, bool image)
{
    const auto index = static_cast<std::size_t>(m_currentFile < 0 ? 0 : m_currentFile);
    if (index >= m_entries.size()) {
        m_entries.resize(index + 1);
        m_imageEntries.resize(index + 1);
    }
    if (image)
        m_imageEntries[index] = entry;
    m_entries[index] = std::move(entry);
}

void FileList::Clear()
{
    m_entries.clear();
    m_imageEntries.clear();
}

FileList FileList::ImageFiles() const
{
    FileList images = *this;
    for (std::size_t f = 0; f < m_imageEntries.size(); ++f) {
        if (m_imageEntries[f])
            images.m_entries[f] = *m_imageEntries[f];
    }
    return images;
}

} // namespace lumvane
