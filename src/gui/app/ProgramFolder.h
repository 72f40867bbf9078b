#pragma once

#include <QString>

namespace lumvane {

/// @brief The program's folder, which holds the settings file and the
/// default output files: see ChooseProgramFolder(), for this executable and
/// the per-user data folder (~/.local/share/lumvane, created when missing).
QString ProgramFolder();

/// @brief The folder of the installed program's data ("share/lumvane" beside
/// the "bin" folder an install puts the executable in) when the executable in
/// `executableFolder` runs from an install; an empty text when it runs where
/// it was built.
QString InstalledDataFolder(const QString& executableFolder);

/// @brief The program's folder for an executable: its own folder when it runs
/// where it was built and may write there; `userDataFolder` for an installed
/// program (the install prefix is shared and seldom the user's) or a folder
/// the user can't write to.
QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder);

} // namespace lumvane
