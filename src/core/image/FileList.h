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

/// @brief A direction on the sky: right ascension and declination in degrees
/// (equinox J2000 as most headers give them).
struct SkyPosition {
    double rightAscension = 0.0; ///< degrees, 0 <= RA < 360
    double declination = 0.0; ///< degrees, -90..90

    friend bool operator==(const SkyPosition&, const SkyPosition&) = default;
};

/// @brief What a read records of one file.
struct FileEntry {
    float exposure = 0.0F; ///< seconds, from the header's whole-second exposure
    std::string time = "     "; ///< first 5 characters of the header time
    char filter = ' '; ///< first character of the header filter value
    std::string name = std::string(12, ' '); ///< last 12 characters of the full path
    std::optional<UtcTime> observationStart; ///< where the header gives date and time
    std::optional<SkyPosition> target; ///< where the header gives the target's RA and Dec
    std::string filterName; ///< the FILTER card's value without blanks; empty when there is none
    std::optional<double> airmass; ///< the header's AIRMASS (or SECZ), where it gives one
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
    /// Records an entry for the current file number; `image` when it comes
    /// from a read into IMG rather than of a calibration frame.
    void RecordCurrent(FileEntry entry, bool image = true);
    /// Empties every list (a new series).
    void Clear();

    /// @brief The lists as the images themselves recorded them: where a
    /// calibration frame's read replaced a file's entry (file 1 of a series
    /// is read before its dark and flat), the image's own entry again.
    FileList ImageFiles() const;

private:
    int m_currentFile = 0;
    std::vector<FileEntry> m_entries;
    /// Per file: the entry its last read into IMG recorded, if any.
    std::vector<std::optional<FileEntry>> m_imageEntries;
};

} // namespace lumvane
