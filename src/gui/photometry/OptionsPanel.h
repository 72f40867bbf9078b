#pragma once

#include <QWidget>

namespace lumvane {

/// @brief The "Options" tab: the background annulus, median filtration,
/// the centring method and how results are saved.
class OptionsPanel : public QWidget {
    Q_OBJECT

public:
    explicit OptionsPanel(QWidget* parent = nullptr);
};

} // namespace lumvane
