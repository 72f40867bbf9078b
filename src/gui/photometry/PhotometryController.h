#pragma once

#include "core/display/ViewCoordinates.h"
#include "core/patrol/PatrolWalk.h"
#include "core/photometry/ClickPhotometry.h"

#include <QObject>
#include <QPointF>

#include <optional>

class QAction;

namespace lumvane {

class Dialogs;
class ImageArea;
class PatrolDriver;
class PhotometryPanel;
class ProfilesController;
struct Session;
class TabSettings;

/// @brief Drives the "Photometry" tab: photometry by a click on either view,
/// the quick sum of a Shift-click, the read-out fields, and the star buttons
/// that remember the last star measured; and shows the patrol walk's
/// measurements as the full-size view's clicks.
class PhotometryController : public QObject {
    Q_OBJECT

public:
    struct Controls {
        ImageArea* images;
        PhotometryPanel* panel;
        QAction* mnusave; ///< enabled once a star is remembered
    };

    /// A press of the right button, or any press while a profile line is
    /// drawn, goes to `profiles` first; `patrol` tells whether a series walks.
    PhotometryController(Session& session, Dialogs& dialogs, const TabSettings& tabs, ProfilesController& profiles,
        const PatrolDriver& patrol, Controls controls, QObject* parent);

signals:
    /// A star was recorded in the results table, by a star button or the walk.
    void StarRemembered();

public slots:
    /// A press on the full-size view, at image coordinates.
    void Picture1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF imagePoint);
    /// A press on the scrolled view, at pixels of its drawing area.
    void PicTwo_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position);
    void btnstar_Click(int index);
    /// A measurement of the patrol walk, shown as a click on the full-size
    /// view shows it, with the label of a star it remembered.
    void ShowMeasurement(const PatrolMeasurement& measurement);

private:
    /// Both views' press: `fromPicTwo` draws the circles on the scrolled
    /// view too and takes its addend.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, ViewPoint image, bool fromPicTwo);
    /// The patrol-running flag is up: clicks show no messages, and Shift
    /// means no quick sum.
    bool SeriesWalking() const;
    void QuickSumClick(float x, float y, bool fromPicTwo);
    /// The circles and read-out fields of a measurement at image coordinates.
    void ShowClick(const ClickResult& result, double addend, bool onPicTwo);
    void DrawClickCircle(const ClickCircle& circle, bool onPicTwo);
    /// The label of a star just recorded under a slot at (x, y), and what
    /// recording enables.
    void ShowRemembered(int slot, float x, float y);
    void ShowStarStatus(StarStatus status);
    void MouseDownFailed();
    /// Labels the last measured star on the full-size view and records it
    /// under a star slot for the current file.
    void RememberStar(int slot);

    Session& m_session;
    Dialogs& m_dialogs;
    const TabSettings& m_tabs;
    ProfilesController& m_profiles;
    const PatrolDriver& m_patrol;
    Controls m_controls;
    /// The last measurement the fields show, and its view's addend: St1
    /// remembered after it gives it its magnitudes. Nothing after a quick sum.
    std::optional<ClickResult> m_lastClick;
    double m_lastAddend = kFullViewAddend;
};

} // namespace lumvane
