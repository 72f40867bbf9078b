#pragma once

#include "core/common/FileWrite.h"
#include "core/image/FileList.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace lumvane {

/// The window's recovery file, in the program's folder.
inline constexpr std::string_view kRecoveryFileName = "patrol-recovery.txt";

/// @brief The recovery file of `lumvane-cli patrol -o RESULTS`: RESULTS
/// followed by ".recovery.txt", beside it.
std::filesystem::path RecoveryFileOf(const std::filesystem::path& resultsFile);

/// @brief The file a patrol series keeps its results in as it goes: after
/// each file, the results file text of the files measured so far, magnitudes
/// relative to St1 whatever the settings say.
///
/// The text of the files already written is kept, and a new file's lines go
/// to the end of the file with one write, so a file costs the same at the end
/// of a long night as at its start. The whole file is written anew (a
/// temporary file renamed over it) when lines already written change (the
/// star columns, the diaphragms and their radii, St1's magnitude), when the
/// series goes back, and when the file on disk is not the one written any
/// more (removed, replaced, or written to by another). So a crash of the
/// program loses at most the file in work; and the bytes are handed to the
/// disk in the background at most 5 seconds after they were written (and when
/// the object goes), so a power cut loses at most the files of the last 5
/// seconds.
class RecoveryFile {
public:
    explicit RecoveryFile(std::filesystem::path name);
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;

    const std::filesystem::path& Name() const { return m_name; }

    /// Brings the file up to the files 1..N (N the current file number).
    WriteResult Write(const ResultsTable& table, const FileList& files, ResultsFileSettings settings);

private:
    class Flusher;

    /// What the lines already written depend on besides their own files.
    struct Shape {
        std::vector<int> stars;
        std::array<float, ResultsTable::kDiaphragms> radii {};
        ResultsFileSettings settings;
        bool operator==(const Shape& other) const;
    };

    bool OnDiskAsWritten() const;

    std::filesystem::path m_name;
    OpenFile m_file; ///< the file as last written, open at its end
    std::uintmax_t m_size = 0; ///< bytes written to it
    int m_files = 0; ///< the files its text holds
    Shape m_shape;
    std::unique_ptr<Flusher> m_flusher;
};

} // namespace lumvane
