#include "gui/profile/ProfilesController.h"

#include "core/app/Session.h"
#include "core/common/Rounding.h"
#include "core/display/LevelPalette.h"
#include "core/profile/ProfileDataFile.h"
#include "gui/app/Dialogs.h"
#include "gui/app/SaveName.h"
#include "gui/app/TabPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureBitmap.h"
#include "gui/display/PictureView.h"
#include "gui/photometry/ViewMarks.h"
#include "gui/profile/LineControl.h"
#include "gui/profile/ProfilesPanel.h"

#include <QFile>
#include <QPushButton>

#include <cmath>

namespace lumvane {

namespace {

/// Every mark of a profile: its end circles and its samples.
constexpr Rgb kProfileGreen { 0, 255, 0 };
constexpr int kEndCircleRadius = 2;
constexpr int kProfilesTab = 1;

void MarkPixel(QImage& picture, ViewPoint pixel)
{
    const QPoint point(static_cast<int>(std::floor(pixel.x)), static_cast<int>(std::floor(pixel.y)));
    if (picture.valid(point))
        picture.setPixel(point, PackedColour(kProfileGreen));
}

} // namespace

ProfilesController::ProfilesController(const Session& session, Dialogs& dialogs, Controls controls, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_controls(controls)
{
    connect(m_controls.images->PicTwo(), &PictureView::MouseUp, this, &ProfilesController::PicTwo_MouseUp);
    connect(m_controls.panel->PlotButton(), &QPushButton::clicked, this, &ProfilesController::btnprofplot_Click);
    connect(m_controls.panel->DataButton(), &QPushButton::clicked, this, &ProfilesController::btnprofdata_Click);
    connect(m_controls.panel->BmpButton(), &QPushButton::clicked, this, &ProfilesController::btnprofbmp_Click);
}

bool ProfilesController::MouseDown(Qt::MouseButton button, ViewPoint image, bool fromPicTwo)
{
    ImageArea& images = *m_controls.images;
    if (button != Qt::RightButton) {
        // Another button ends a line being drawn, without a profile.
        if (m_profileDrawing)
            images.LineProf2()->hide();
        m_profileDrawing = false;
        return false;
    }
    if (!fromPicTwo)
        return true;
    m_profileDrawing = true;
    const int height = images.ImageHeight();
    const ViewPosition view = images.Scroll();
    const ViewPoint pixel = ViewPointOfImage(image, view, height);
    DrawCircle(images.PicTwo()->Picture(), pixel, kEndCircleRadius / view.reduction, kProfileGreen);
    DrawCircle(images.Picture1(), ViewPointOfImage(image, {}, height), kEndCircleRadius, kProfileGreen);
    images.PicTwo()->update();
    // Its second point stays where the last line ended until the first move.
    images.LineProf2()->SetFirstPoint(QPointF(pixel.x, pixel.y));
    images.LineProf2()->show();
    m_profileLine.x1 = ToSingle(image.x);
    m_profileLine.y1 = ToSingle(image.y);
    return true;
}

bool ProfilesController::MouseMove(QPointF position)
{
    if (!m_profileDrawing)
        return false;
    m_controls.images->LineProf2()->SetSecondPoint(position);
    return true;
}

void ProfilesController::PicTwo_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPointF position)
{
    if (!m_profileDrawing)
        return;
    ImageArea& images = *m_controls.images;
    const int height = images.ImageHeight();
    const ViewPoint pixel { position.x(), position.y() };
    const ViewPosition view = images.Scroll();
    const ViewPoint end = ImagePointOfView(pixel, view, height);
    DrawCircle(images.PicTwo()->Picture(), pixel, kEndCircleRadius / view.reduction, kProfileGreen);
    DrawCircle(images.Picture1(), ViewPointOfImage(end, {}, height), kEndCircleRadius, kProfileGreen);
    images.PicTwo()->update();
    m_profileLine.x2 = ToSingle(end.x);
    m_profileLine.y2 = ToSingle(end.y);
    // The tab first: a plot area that was never shown has no size to plot in.
    m_controls.tabs->SetCurrentIndex(kProfilesTab);
    btnprofplot_Click();
    images.LineProf2()->hide();
    images.LineProf()->hide();
    m_profileDrawing = false;
}

void ProfilesController::btnprofplot_Click()
{
    const ProfileResult profile
        = ComputeProfile(m_session.store.img, m_profileLine, m_controls.panel->Settings(), true);
    if (!profile.HasPoints())
        return;
    MarkProfileSamples(profile.samples);
    const ProfileLine& line = m_profileLine;
    m_controls.panel->Plot(profile.values, std::hypot(double { line.x2 } - line.x1, double { line.y2 } - line.y1),
        profile.settings.logarithm);
}

void ProfilesController::MarkProfileSamples(const std::vector<ProfileSample>& samples)
{
    // Each mark sits on the pixel that the sample read.
    ImageArea& images = *m_controls.images;
    QImage& picture1 = images.Picture1();
    QImage& picTwo = images.PicTwo()->Picture();
    const ViewPosition scroll = images.Scroll();
    const int height = images.ImageHeight();
    for (const ProfileSample& sample : samples) {
        const ViewPoint pixel { Truncate(sample.x), Truncate(sample.y) };
        MarkPixel(picture1, ViewPointOfImage(pixel, {}, height));
        MarkPixel(picTwo, ViewPointOfImage(pixel, scroll, height));
    }
    images.PicTwo()->update();
}

void ProfilesController::btnprofdata_Click()
{
    // Computed anew with the width and the log setting in force now.
    const ProfileResult profile
        = ComputeProfile(m_session.store.img, m_profileLine, m_controls.panel->Settings(), false);
    if (!profile.HasPoints())
        return;
    const std::optional<QString> fileName
        = AskSaveName(m_dialogs, QStringLiteral("Enter filename of data file to save press CANCEL to avoid saving."),
            QStringLiteral("SAVE Result"), {}, QStringLiteral("txt"));
    if (!fileName)
        return;
    const WriteResult written
        = WriteFileBytes(QFile::encodeName(*fileName).toStdString(), ProfileDataText(profile.values));
    if (written.written)
        ShowSaved(*m_controls.status, *fileName);
    else
        ShowCannotWriteFile(m_dialogs, *fileName, written);
}

void ProfilesController::btnprofbmp_Click()
{
    SaveBmpAs(m_dialogs, *m_controls.status, m_controls.panel->PlotPicture());
}

} // namespace lumvane
