#pragma once

#include <QWidget>

namespace lumvane {

/// @brief The "Photometry" tab: diaphragm radii, centre search, St1's
/// magnitude, the read-out fields, the 23 star buttons and Continue.
class PhotometryPanel : public QWidget {
    Q_OBJECT

public:
    explicit PhotometryPanel(QWidget* parent = nullptr);
};

} // namespace lumvane
