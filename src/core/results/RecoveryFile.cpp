#include "core/results/RecoveryFile.h"

#include "core/common/AtomicFileWrite.h"

namespace lumvane {

std::filesystem::path RecoveryFilePath(const std::filesystem::path& folder)
{
    return folder / kRecoveryFileName;
}

WriteResult WriteRecoveryFile(
    const std::filesystem::path& folder, const ResultsTable& table, const FileList& files, ResultsFileSettings settings)
{
    settings.relativeToSt1 = true;
    return WriteFileAtomically(RecoveryFilePath(folder).string(), ResultsFileText(table, files, settings));
}

} // namespace lumvane
