#pragma once

#include "core/display/RgbImage.h"

#include <string>

namespace lumvane {

/// What writing a bitmap did.
struct BmpWriteResult {
    bool written = false;
    std::string reason; ///< the system's reason when nothing was written
};

/// @brief Writes a picture as an uncompressed 24-bit Windows bitmap (BMP),
/// replacing any file of that name.
BmpWriteResult WriteBmp(const std::string& fileName, const RgbImage& picture);

} // namespace lumvane
