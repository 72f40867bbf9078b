#pragma once

#include "core/display/ViewCoordinates.h"
#include "core/profile/Profile.h"

#include <QObject>
#include <QPointF>

#include <vector>

namespace lumvane {

class Dialogs;
class ImageArea;
class ProfilesPanel;
struct Session;
class StatusBar;
class TabPanel;

/// @brief Drives the "Profiles" tab and the profile line: a line drawn with
/// the right button on the scrolled view, the profile along it plotted on
/// the tab, and its exports as data and as a bitmap.
///
/// `Picture1` is an off-screen picture whose presses are never the right
/// button's, so a line starts on `PicTwo` only.
class ProfilesController : public QObject {
    Q_OBJECT

public:
    struct Controls {
        ImageArea* images;
        ProfilesPanel* panel;
        TabPanel* tabs; ///< `SSTab1`, which a finished line turns to the plot
        StatusBar* status; ///< says where a save went
    };

    ProfilesController(const Session& session, Dialogs& dialogs, Controls controls, QObject* parent);

    /// The profile branch of a press on either view: the right button starts a
    /// line on the scrolled view and takes the press (true); any other ends a
    /// line being drawn and leaves the press to the photometry (false).
    bool MouseDown(Qt::MouseButton button, ViewPoint image, bool fromPicTwo);
    /// The profile branch of a move on the scrolled view: while a line is
    /// drawn its end follows the mouse (true); otherwise nothing (false).
    bool MouseMove(QPointF position);

public slots:
    /// The end of a press on the scrolled view: finishes a profile line.
    void PicTwo_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);
    /// Computes the profile of the current line, marks its samples and plots it.
    void btnprofplot_Click();
    void btnprofdata_Click();
    void btnprofbmp_Click();

private:
    void MarkProfileSamples(const std::vector<ProfileSample>& samples);

    const Session& m_session;
    Dialogs& m_dialogs;
    Controls m_controls;
    /// Set while a profile line is being dragged.
    bool m_profileDrawing = false;
    /// `profileStart` and `profileEnd`: the last line drawn.
    ProfileLine m_profileLine;
};

} // namespace lumvane
