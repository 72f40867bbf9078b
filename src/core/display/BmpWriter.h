#pragma once

#include "core/common/FileWrite.h"
#include "core/display/RgbImage.h"

#include <string>

namespace lumvane {

/// @brief Writes a picture as an uncompressed 24-bit Windows bitmap (BMP),
/// replacing any file of that name.
WriteResult WriteBmp(const std::string& fileName, const RgbImage& picture);

} // namespace lumvane
