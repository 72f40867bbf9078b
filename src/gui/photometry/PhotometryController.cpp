#include "gui/photometry/PhotometryController.h"

#include "core/app/Session.h"
#include "core/photometry/StarSlots.h"
#include "core/results/RememberStar.h"
#include "gui/app/Dialogs.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"
#include "gui/patrol/PatrolDriver.h"
#include "gui/photometry/PhotometryPanel.h"
#include "gui/photometry/TabSettings.h"
#include "gui/photometry/ViewMarks.h"
#include "gui/profile/ProfilesController.h"

#include <QAction>
#include <QCoreApplication>

namespace lumvane {

PhotometryController::PhotometryController(Session& session, Dialogs& dialogs, const TabSettings& tabs,
    ProfilesController& profiles, const PatrolDriver& patrol, Controls controls, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_tabs(tabs)
    , m_profiles(profiles)
    , m_patrol(patrol)
    , m_controls(controls)
{
    connect(m_controls.images->PicTwo(), &PictureView::MouseDown, this, &PhotometryController::PicTwo_MouseDown);
    connect(m_controls.panel, &PhotometryPanel::StarButtonClicked, this, &PhotometryController::btnstar_Click);
}

void PhotometryController::PicTwo_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF position)
{
    const ImageArea& images = *m_controls.images;
    const ViewPoint image = ImagePointOfView({ position.x(), position.y() }, images.Scroll(), images.ImageHeight());
    MouseDown(button, shift, image, true);
}

void PhotometryController::Picture1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF imagePoint)
{
    MouseDown(button, shift, { imagePoint.x(), imagePoint.y() }, false);
}

bool PhotometryController::SeriesWalking() const
{
    return m_patrol.State() == PatrolState::Walking;
}

void PhotometryController::MouseDown(
    Qt::MouseButton button, Qt::KeyboardModifiers shift, ViewPoint image, bool fromPicTwo)
{
    // The right button starts a profile line instead of photometry.
    if (m_profiles.MouseDown(button, image, fromPicTwo))
        return;
    const auto x = static_cast<float>(image.x);
    const auto y = static_cast<float>(image.y);
    if (shift == Qt::ShiftModifier && !SeriesWalking()) {
        QuickSumClick(x, y, fromPicTwo);
        return;
    }
    if (fromPicTwo)
        QCoreApplication::processEvents();

    const int fileNumber = m_session.store.files.CurrentFile();
    const ClickSettings settings
        = m_tabs.Click(fromPicTwo ? kScrolledViewAddend : kFullViewAddend, m_patrol.ClickSearchRadius());
    const ClickResult result = MeasureClick(
        m_session.store.img, x, y, settings, St1NetCounts(m_session.results, fileNumber), m_session.lastStar);
    ShowClick(result, settings.addend, fromPicTwo);
    if (fromPicTwo) {
        m_controls.images->PicTwo()->update();
        if (!result.trapped)
            m_controls.images->ArrangeViews();
    }

    if (SeriesWalking())
        return;
    // A measurement's message for each radius, then the click's own failure.
    for (const DiaphragmResult& diaphragm : result.diaphragms) {
        if (diaphragm.outcome == DiaphragmOutcome::Measured || diaphragm.outcome == DiaphragmOutcome::Trapped)
            ShowStarStatus(diaphragm.measurement.status);
    }
    if (result.trapped)
        MouseDownFailed();
}

void PhotometryController::ShowClick(const ClickResult& result, double addend, bool onPicTwo)
{
    for (const ClickCircle& circle : result.circles)
        DrawClickCircle(circle, onPicTwo);
    m_controls.panel->ShowFields(FieldsOfClick(result));
    m_lastClick = result;
    m_lastAddend = addend;
}

void PhotometryController::QuickSumClick(float x, float y, bool fromPicTwo)
{
    const QuickSumResult quick = QuickSum(m_session.store.img, x, y, m_controls.panel->Radii()[0]);
    if (quick.trapped) {
        MouseDownFailed();
        return;
    }
    DrawClickCircle(quick.circle, fromPicTwo);
    ClickFields fields;
    fields.counts = quick.counts;
    m_controls.panel->ShowFields(fields);
    m_lastClick.reset();
    if (fromPicTwo)
        m_controls.images->PicTwo()->update();
}

void PhotometryController::DrawClickCircle(const ClickCircle& circle, bool onPicTwo)
{
    ImageArea& images = *m_controls.images;
    const ViewPoint centre { circle.x, circle.y };
    const int height = images.ImageHeight();
    const Rgb colour = CircleColour(circle.kind);
    DrawCircle(images.Picture1(), ViewPointOfImage(centre, {}, height), circle.radius, colour);
    if (onPicTwo) {
        const ViewPosition view = images.Scroll();
        DrawCircle(
            images.PicTwo()->Picture(), ViewPointOfImage(centre, view, height), circle.radius / view.reduction, colour);
    }
}

void PhotometryController::ShowStarStatus(StarStatus status)
{
    switch (status) {
    case StarStatus::Found:
        return;
    case StarStatus::Corner:
        m_dialogs.Message(
            QString::fromUtf8(StarStatusMessage(status)), kProgramTitle, MessageIcon::None, MessageButtons::Ok);
        return;
    case StarStatus::NotFound:
        m_dialogs.Message(QString::fromUtf8(StarStatusMessage(status)), QStringLiteral("ERROR"), MessageIcon::Critical,
            MessageButtons::Ok);
        return;
    }
}

void PhotometryController::MouseDownFailed()
{
    m_dialogs.Message(QString::fromUtf8(kMouseDownErrorMessage), QString::fromUtf8(kMouseDownErrorTitle),
        MessageIcon::Critical, MessageButtons::Ok);
}

void PhotometryController::btnstar_Click(int index)
{
    QCoreApplication::processEvents();
    RememberStar(index);
    m_controls.images->RefreshScrolledView();
}

void PhotometryController::RememberStar(int slot)
{
    // A star the last click could not measure is remembered as unmeasured at
    // the point clicked; before any click there is nothing to remember.
    const int fileNumber = m_session.store.files.CurrentFile();
    const auto record
        = RememberLastStar(m_session.results, slot, fileNumber, m_session.lastStar, m_controls.panel->Radii());
    if (!record)
        return;
    ShowRemembered(slot, record->centreX, record->centreY);
    // St1 remembered: the star just measured gets its magnitudes.
    if (slot == 0 && m_lastClick) {
        RelateToSt1(*m_lastClick, St1NetCounts(m_session.results, fileNumber),
            m_tabs.Click(m_lastAddend, std::nullopt).st1Magnitude, m_lastAddend);
        m_controls.panel->ShowFields(FieldsOfClick(*m_lastClick));
    }
}

void PhotometryController::ShowRemembered(int slot, float x, float y)
{
    const ViewPoint label = ViewPointOfImage(StarLabelPosition(x, y), {}, m_controls.images->ImageHeight());
    DrawLabel(m_controls.images->Picture1(), label, QString::fromStdString(StarLabel(slot)), StarLabelColour(slot));
    m_controls.mnusave->setEnabled(true);
    m_controls.panel->CopySumToSt1();
    emit StarRemembered();
}

void PhotometryController::ShowMeasurement(const PatrolMeasurement& measurement)
{
    ShowClick(measurement.click, kFullViewAddend, false);
    if (measurement.remembered)
        ShowRemembered(measurement.slot, measurement.recordedX, measurement.recordedY);
}

} // namespace lumvane
