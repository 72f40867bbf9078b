#pragma once

#include "core/common/FileWrite.h"
#include "core/image/FileList.h"
#include "core/results/ResultsFile.h"
#include "core/results/ResultsTable.h"

#include <filesystem>
#include <string_view>

namespace lumvane {

/// The file a patrol series keeps its results in as it goes.
inline constexpr std::string_view kRecoveryFileName = "patrol-recovery.txt";

/// @brief Replaces "patrol-recovery.txt" in `folder` with the results file
/// text of the files measured so far, magnitudes relative to St1 whatever
/// `settings` says, written whole or not at all (see WriteFileBytes).
///
/// A series calls it after each file, so that a crash or a power cut loses at
/// most the measurements of the file being worked on.
WriteResult WriteRecoveryFile(const std::filesystem::path& folder, const ResultsTable& table, const FileList& files,
    ResultsFileSettings settings);

/// @brief The recovery file's full name in `folder`.
std::filesystem::path RecoveryFilePath(const std::filesystem::path& folder);

} // namespace lumvane
