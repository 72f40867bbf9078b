#pragma once

#include "core/common/FileWrite.h"

#include <string>
#include <string_view>

namespace lumvane {

/// @brief Replaces the file with the bytes so that, whatever happens, the file
/// holds either its old content or the whole new one.
///
/// The bytes go to NAME.tmp in the same folder, are flushed to the device,
/// and NAME.tmp is then renamed over NAME (and the folder flushed, so that
/// the rename survives a power cut too). On failure NAME is left as it was
/// and NAME.tmp is removed; `reason` says why.
WriteResult WriteFileAtomically(const std::string& fileName, std::string_view bytes);

} // namespace lumvane
