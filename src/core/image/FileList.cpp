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
        m_fromImage.resize(index + 1);
        m_replacedImageEntries.resize(index + 1);
    }
    std::optional<FileEntry>& replaced = m_replacedImageEntries[index];
    if (image)
        replaced.reset();
    else if (m_fromImage[index])
        replaced = std::move(m_entries[index]);
    m_fromImage[index] = image;
    m_entries[index] = std::move(entry);
}

void FileList::Clear()
{
    m_entries.clear();
    m_fromImage.clear();
    m_replacedImageEntries.clear();
}

FileList FileList::ImageFiles() const
{
    FileList images = *this;
    for (std::size_t f = 0; f < m_replacedImageEntries.size(); ++f) {
        if (m_replacedImageEntries[f]) {
            images.m_entries[f] = *m_replacedImageEntries[f];
            images.m_fromImage[f] = true;
            images.m_replacedImageEntries[f].reset();
        }
    }
    return images;
}

} // namespace lumvane
