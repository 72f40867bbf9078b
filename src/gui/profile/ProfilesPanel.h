#pragma once

#include "core/profile/Profile.h"
#include "core/profile/ProfilePlot.h"

#include <QWidget>

#include <optional>
#include <span>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace lumvane {

class PictureView;

/// @brief The "Profiles" tab: the profile plot, its width and log setting,
/// the plot read-out and the buttons that plot, clear and save it.
///
/// The plot area `pictprof` keeps every profile drawn on it, each in its own
/// coordinate system, until "Clear Profile"; the numbers on each axis are the
/// last plot's. The read-out under the cursor uses the coordinate system of
/// the last plot.
class ProfilesPanel : public QWidget {
    Q_OBJECT

public:
    explicit ProfilesPanel(QWidget* parent = nullptr);

    /// The width and "Log Profile" setting in force now.
    ProfileSettings Settings() const;
    /// Draws a profile of at least one point over what the plot area shows:
    /// the coordinate system of its bounds, the frame and the curve, with axes
    /// numbered by the values (on the left; a log profile in its own colour,
    /// on the right) and by the position along the line in pixels (below).
    /// @param lineLength the line's length, pixels
    void Plot(std::span<const float> values, double lineLength, bool logarithm);
    /// The plot area's picture, as "Save BMP" writes it.
    const QImage& PlotPicture() const;

    QPushButton* PlotButton() const { return m_btnprofplot; }
    QPushButton* DataButton() const { return m_btnprofdata; }
    QPushButton* BmpButton() const { return m_btnprofbmp; }

public slots:
    /// Clears the plot area; the profile line and the coordinate system stay.
    void btnprofclear_Click();
    /// Point index floored to tenths and value floored, under the cursor.
    void pictprof_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, QPointF position);

private:
    PictureView* m_pictprof;
    QLineEdit* m_txtprofwidth;
    QCheckBox* m_profcheck;
    QLineEdit* m_txtprofstatusX;
    QLineEdit* m_txtprofstatusY;
    QPushButton* m_btnprofplot;
    QPushButton* m_btnprofclear;
    QPushButton* m_btnprofdata;
    QPushButton* m_btnprofbmp;
    /// Where the plot's coordinates lie in the plot area's picture.
    QRect DataRect() const;

    /// The coordinate system of the last plot; none before the first.
    std::optional<ProfilePlotBounds> m_bounds;
};

} // namespace lumvane
