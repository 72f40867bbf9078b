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
    settings.radiusTexts = m_photometry.RadiusTexts();
    settings.searchRadius = walkSearchRadius ? *walkSearchRadius : CentreSearchRadius(m_photometry.SearchText());
    settings.method = m_options.MaxSelected() ? CentringMethod::Peak : CentringMethod::Centroid;
    settings.options = m_inForce.options;
    settings.st1MagnitudeText = m_photometry.St1MagnitudeText();
    settings.addend = addend;
    return settings;
}

PatrolSettings TabSettings::Patrol() const
{
    PatrolSettings settings;
    // The walk sets its own search radius and addend.
    settings.click = Click(kFullViewAddend, std::nullopt);
    settings.searchText = m_photometry.SearchText();
    return settings;
}

ResultsFileSettings TabSettings::Results() const
{
    return { m_photometry.St1MagnitudeText(), m_options.SaveRelative(), m_photometry.RadiusTexts() };
}

} // namespace lumvane
