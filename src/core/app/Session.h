#pragma once

#include "core/common/UniformRandom.h"
#include "core/image/ImageStore.h"

namespace lumvane {

/// @brief What lives for the whole run of the program: the main window owns
/// one Session and hands its parts to the core functions that need them.
struct Session {
    /// IMG, DS, FF, the last header's values and the per-file lists.
    ImageStore store;
    /// The one random sequence of the run (cut proposals draw from it).
    UniformRandom random;
};

} // namespace lumvane
