#pragma once

#include "core/patrol/PatrolWalk.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/OptionRules.h"
#include "core/results/ResultsFile.h"

#include <optional>

namespace lumvane {

class OptionsPanel;
class PhotometryPanel;

/// @brief The Photometry and Options tabs read into what a click, a patrol
/// walk and the results writers take: the one place that reads them so.
///
/// Each reading takes the boxes as they stand at that moment.
class TabSettings {
public:
    TabSettings(const PhotometryPanel& photometry, const OptionsPanel& options, const OptionsInForce& inForce);

    /// A click's settings. `walkSearchRadius`: the centre search radius a
    /// walking patrol series sets for the clicks of its later files, in place
    /// of the "Center search" box.
    ClickSettings Click(double addend, std::optional<int> walkSearchRadius) const;
    /// What a patrol walk reads for each file.
    PatrolSettings Patrol() const;
    /// What the results file, its recovery copy, the exports and the light
    /// curve take.
    ResultsFileSettings Results() const;

private:
    const PhotometryPanel& m_photometry;
    const OptionsPanel& m_options;
    const OptionsInForce& m_inForce;
};

} // namespace lumvane
