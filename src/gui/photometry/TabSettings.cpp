#include "gui/photometry/TabSettings.h"

#include "gui/photometry/OptionsPanel.h"
#include "gui/photometry/PhotometryPanel.h"

namespace lumvane {

TabSettings::TabSettings(const PhotometryPanel& photometry, const OptionsPanel& options, const OptionsInForce& inForce)
    : m_photometry(photometry)
    , m_options(options)
    , m_inForce(inForce)
{
}

ClickSettings TabSettings::Click(double addend, std::optional<int> walkSearchRadius) const
{
    ClickSettings settings;
    settings.radii = m_photometry.Radii();
    settings.searchRadius = walkSearchRadius ? *walkSearchRadius : CentreSearchRadius(m_photometry.Search());
    settings.method = m_options.MaxSelected() ? CentringMethod::Peak : CentringMethod::Centroid;
    settings.options = m_inForce.options;
    settings.st1Magnitude = m_photometry.St1Magnitude().value_or(0.0);
    settings.addend = addend;
    return settings;
}

PatrolSettings TabSettings::Patrol() const
{
    PatrolSettings settings;
    // The walk sets its own search radius and addend.
    settings.click = Click(kFullViewAddend, std::nullopt);
    settings.search = m_photometry.Search();
    return settings;
}

ResultsFileSettings TabSettings::Results() const
{
    return { m_photometry.St1Magnitude(), m_options.SaveRelative(), m_photometry.Radii() };
}

} // namespace lumvane
