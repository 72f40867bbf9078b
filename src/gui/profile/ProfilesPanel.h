#pragma once

#include <QWidget>

namespace lumvane {

/// @brief The "Profiles" tab: the profile plot, its width and log setting,
/// the plot read-out and the buttons that plot, clear and save it.
class ProfilesPanel : public QWidget {
    Q_OBJECT

public:
    explicit ProfilesPanel(QWidget* parent = nullptr);
};

} // namespace lumvane
