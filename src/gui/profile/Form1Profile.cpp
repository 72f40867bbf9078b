// The main window's profiles: the line drawn with the right button on the
// scrolled view, the plot on the "Profiles" tab and its two exports.
//
// `Picture1` is an off-screen picture that only the patrol driver presses,
// with the left button, so a line starts on `PicTwo` only.

#include "gui/app/Form1.h"

#include "core/common/Rounding.h"
#include "core/display/LevelPalette.h"
#include "core/profile/ProfileDataFile.h"
#include "gui/app/Dialogs.h"
#include "gui/app/TabPanel.h"
#include "gui/display/ImageArea.h"
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

void Form1::ConnectProfiles()
{
    connect(m_imageArea->PicTwo(), &PictureView::MouseUp, this, &Form1::PicTwo_MouseUp);
    connect(m_profiles->PlotButton(), &QPushButton::clicked, this, &Form1::btnprofplot_Click);
    connect(m_profiles->DataButton(), &QPushButton::clicked, this, &Form1::btnprofdata_Click);
    connect(m_profiles->BmpButton(), &QPushButton::clicked, this, &Form1::btnprofbmp_Click);
}

bool Form1::ProfileMouseDown(Qt::MouseButton button, ViewPoint image, bool fromPicTwo)
{
    if (button != Qt::RightButton) {
        // Another button ends a line being drawn, without a profile.
        if (m_profileDrawing != 0)
            m_imageArea->LineProf2()->hide();
        m_profileDrawing = 0;
        return false;
    }
    if (!fromPicTwo)
        return true;
    m_profileDrawing = 1;
    const int height = m_imageArea->ImageHeight();
    const ViewPoint pixel = ViewPointOfImage(image, m_imageArea->Scroll(), height);
    DrawCircle(m_imageArea->PicTwo()->Picture(), pixel, kEndCircleRadius, kProfileGreen);
    DrawCircle(m_imageArea->Picture1(), ViewPointOfImage(image, {}, height), kEndCircleRadius, kProfileGreen);
    m_imageArea->PicTwo()->update();
    // Its second point stays where the last line ended until the first move.
    m_imageArea->LineProf2()->SetFirstPoint(QPointF(pixel.x, pixel.y));
    m_imageArea->LineProf2()->show();
    m_profileLine.x1 = ToSingle(image.x);
    m_profileLine.y1 = ToSingle(image.y);
    return true;
}

void Form1::DragProfileLine(QPointF position)
{
    m_imageArea->LineProf2()->SetSecondPoint(position);
}

void Form1::PicTwo_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPointF position)
{
    if (m_profileDrawing == 0)
        return;
    const int height = m_imageArea->ImageHeight();
    const ViewPoint pixel { position.x(), position.y() };
    const ViewPoint end = ImagePointOfView(pixel, m_imageArea->Scroll(), height);
    DrawCircle(m_imageArea->PicTwo()->Picture(), pixel, kEndCircleRadius, kProfileGreen);
    DrawCircle(m_imageArea->Picture1(), ViewPointOfImage(end, {}, height), kEndCircleRadius, kProfileGreen);
    m_imageArea->PicTwo()->update();
    m_profileLine.x2 = ToSingle(end.x);
    m_profileLine.y2 = ToSingle(end.y);
    // The tab first: a plot area that was never shown has no size to plot in.
    m_sstab1->SetCurrentIndex(kProfilesTab);
    btnprofplot_Click();
    m_imageArea->LineProf2()->hide();
    m_imageArea->LineProf()->hide();
    m_profileDrawing = 0;
}

void Form1::btnprofplot_Click()
{
    const ProfileResult profile = ComputeProfile(m_session.store.img, m_profileLine, m_profiles->Settings(), true);
    if (!profile.HasPoints())
        return;
    MarkProfileSamples(profile.samples);
    m_profiles->Plot(profile.values);
}

void Form1::MarkProfileSamples(const std::vector<ProfileSample>& samples)
{
    // Each mark sits on the pixel that the sample read.
    QImage& picture1 = m_imageArea->Picture1();
    QImage& picTwo = m_imageArea->PicTwo()->Picture();
    const ScrollPosition scroll = m_imageArea->Scroll();
    const int height = m_imageArea->ImageHeight();
    for (const ProfileSample& sample : samples) {
        const ViewPoint pixel { Truncate(sample.x), Truncate(sample.y) };
        MarkPixel(picture1, ViewPointOfImage(pixel, {}, height));
        MarkPixel(picTwo, ViewPointOfImage(pixel, scroll, height));
    }
    m_imageArea->PicTwo()->update();
}

void Form1::btnprofdata_Click()
{
    // Computed anew with the width and the log setting in force now.
    const ProfileResult profile = ComputeProfile(m_session.store.img, m_profileLine, m_profiles->Settings(), false);
    if (!profile.HasPoints())
        return;
    const std::optional<QString> fileName
        = m_dialogs.Input(QStringLiteral("Enter filename of data file to save press CANCEL to avoid saving."),
            QStringLiteral("SAVE Result"), {});
    if (!fileName || fileName->isEmpty())
        return;
    const WriteResult written
        = WriteFileBytes(QFile::encodeName(*fileName).toStdString(), ProfileDataText(profile.values));
    if (!written.written)
        ShowCannotWriteFile(m_dialogs, *fileName, written);
}

void Form1::btnprofbmp_Click()
{
    SaveBmpAs(m_profiles->PlotPicture());
}

} // namespace lumvane
