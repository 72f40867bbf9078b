#pragma once

#include "core/display/LevelRule.h"

#include <QObject>
#include <QPointF>

class QAction;

namespace lumvane {

class Dialogs;
class DisplayPanel;
class ImageArea;
class ProfilesController;
struct Session;
class StatusBar;

/// @brief Drives the "Display" tab and the views' picture: rendering the
/// image with the tab's cuts and scale, Replot, Negative and the flips from
/// the tab or the Image menu, the View menu's scales, the view saved as a
/// bitmap, and the cursor readout with the zoom window.
class DisplayController : public QObject {
    Q_OBJECT

public:
    struct Controls {
        ImageArea* images;
        DisplayPanel* panel;
        StatusBar* status;
        QAction* mnurep;
        QAction* mnuimageneg;
        QAction* mnuimagehor;
        QAction* mnuimagever;
        QAction* mnubmp;
        /// The Image menu's calibration items: like the others, off until an
        /// image is first shown.
        QAction* mnuimagedark;
        QAction* mnuimageflat;
        /// View > Fit, 1:4, 1:2 and 1:1: the scale of the scrolled view.
        QAction* mnuviewfit;
        QAction* mnuviewquarter;
        QAction* mnuviewhalf;
        QAction* mnuviewfull;
        /// View > Grey Palette: greys in place of the sixteen colours.
        QAction* mnuviewgrey;
    };

    /// A move on the scrolled view drags a profile line being drawn, if
    /// `profiles` has one, instead of reading the cursor out.
    DisplayController(
        Session& session, Dialogs& dialogs, ProfilesController& profiles, Controls controls, QObject* parent);

    /// Renders IMG with the cuts and scale of the Display tab and shows it;
    /// the cursor readout and the zoom window wait for the next move.
    void PlotImage();
    /// A new image was read into IMG: it is not flipped.
    void NewImage();
    /// Writes proposed cuts into the tab's cut texts.
    void SetCuts(DisplayCuts cuts);
    /// Writes the cuts proposed from IMG as it is now: after a calibration
    /// changed it, and for "Auto".
    void ProposeCuts();

public slots:
    /// Replot from the menu or the tab, or Enter in a cut box.
    void Replot();
    /// "Auto": cuts proposed from the picture, and a replot with them.
    void btndispauto_Click();
    /// A palette chosen: the image shown is drawn again in it.
    void mnuviewgrey_Click();
    /// Flip Hor, Flip Ver and Negative, from the button or the menu item.
    void FlipHor_Click();
    void FlipVer_Click();
    void Negative_Click();
    void mnubmp_Click();
    /// The scale of the View menu's checked choice.
    void ViewScale_Click();
    /// Readout of the cursor over the scrolled view (drawing-area pixels).
    void PicTwo_MouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, QPointF position);

private:
    Session& m_session;
    Dialogs& m_dialogs;
    ProfilesController& m_profiles;
    Controls m_controls;
    /// How IMG was mirrored since it was read.
    bool m_flippedHorizontally = false;
    bool m_flippedVertically = false;
};

} // namespace lumvane
