#include "core/results/RecoveryFile.h"


namespace lumvane {

std::filesystem::path RecoveryFilePath(const std::filesystem::path& folder)
{
    return folder / kRecoveryFileName;
}

WriteResult WriteRecoveryFile(
    const std::filesystem::path& folder, const ResultsTable& table, const FileList& files, ResultsFileSettings settings)
{
    settings.relativeToSt1 = true;
    return WriteFileBytes(RecoveryFilePath(folder).string(), ResultsFileText(table, files, settings));
}

} // namespace lumvane
