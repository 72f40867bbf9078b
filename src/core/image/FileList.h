#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumvane {

/// @brief A UTC calendar time, seconds with their fraction.
struct UtcTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    double second = 0.0;

    friend bool operator==(const UtcTime&, const UtcTime&) = default;
};

/// @brief What a read records of one file.
struct FileEntry {
    float exposure = 0.0F; ///< seconds, from the header's whole-second exposure
    std::string time = "     "; ///< first 5 characters of the header time
    char filter = ' '; ///< first character of the header filter value
    std::string name = std::string(12, ' '); ///< last 12 characters of the full path
    std::optional<UtcTime> observationStart; ///< where the header gives date and time
};

/// @brief The per-file lists of a run: entry f belongs to file number f.
///
/// Entry 0 is never written by a read. The lists grow as files are recorded;
/// the three-digit series naming caps a series at 999 files.
class FileList {
public:
    int CurrentFile() const { return m_currentFile; }
    void SetCurrentFile(int fileNumber) { m_currentFile = fileNumber; }

    /// The entry of file f, blank when nothing was recorded there.
    const FileEntry& Entry(int fileNumber) const;
    /// Records an entry for the current file number.
    void RecordCurrent(FileEntry entry);
    /// Empties every list (a new series).
    void Clear();

private:
    int m_currentFile = 0;
    std::vector<FileEntry> m_entries;
};

} // namespace lumvane
