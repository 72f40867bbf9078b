#pragma once

#include "core/common/UniformRandom.h"
#include "core/image/ImageStore.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/OptionRules.h"
#include "core/results/ResultsTable.h"

namespace lumvane {

/// @brief What lives for the whole run of the program: the main window owns
/// one Session and hands its parts to the core functions that need them.
struct Session {
    /// IMG, DS, FF, the last header's values and the per-file lists.
    ImageStore store;
    /// The one random sequence of the run (cut proposals draw from it).
    UniformRandom random;
    /// The remembered stars' net counts, errors and centres, per file.
    ResultsTable results;
    /// What the last click measured, for the star buttons and the patrol driver.
    LastStar lastStar;
    /// The photometry options in force, and what the settings file keeps of them.
    OptionsInForce options;
};

} // namespace lumvane
