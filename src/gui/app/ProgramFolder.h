#pragma once

#include <QString>

namespace lumvane {

/// @brief The program's folder, which holds the settings file and the
/// default output files: the executable's folder when it is writable, else
/// the per-user data folder (created when missing).
QString ProgramFolder();

} // namespace lumvane
