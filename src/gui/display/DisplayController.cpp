#include "gui/display/DisplayController.h"

#include "core/app/Session.h"
#include "core/display/ColourTable.h"
#include "core/display/CursorReadout.h"
#include "core/image/CutProposal.h"
#include "core/image/Flips.h"
#include "gui/app/StatusBar.h"
#include "gui/app/WaitCursor.h"
#include "gui/display/DisplayPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureBitmap.h"
#include "gui/display/PictureView.h"
#include "gui/profile/ProfilesController.h"

#include <QAction>
#include <QPushButton>

namespace lumvane {

DisplayController::DisplayController(
    Session& session, Dialogs& dialogs, ProfilesController& profiles, Controls controls, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_dialogs(dialogs)
    , m_profiles(profiles)
    , m_controls(controls)
{
    const DisplayPanel* panel = m_controls.panel;
    connect(m_controls.images->PicTwo(), &PictureView::MouseMove, this, &DisplayController::PicTwo_MouseMove);
    connect(panel->ReplotButton(), &QPushButton::clicked, this, &DisplayController::Replot);
    connect(panel, &DisplayPanel::CutsEntered, this, &DisplayController::Replot);
    connect(panel->AutoButton(), &QPushButton::clicked, this, &DisplayController::btndispauto_Click);
    connect(m_controls.mnuviewgrey, &QAction::triggered, this, &DisplayController::mnuviewgrey_Click);
    connect(panel->FlipHorButton(), &QPushButton::clicked, this, &DisplayController::FlipHor_Click);
    connect(panel->FlipVerButton(), &QPushButton::clicked, this, &DisplayController::FlipVer_Click);
    connect(panel->NegativeButton(), &QPushButton::clicked, this, &DisplayController::Negative_Click);
    connect(m_controls.mnurep, &QAction::triggered, this, &DisplayController::Replot);
    connect(m_controls.mnuimagehor, &QAction::triggered, this, &DisplayController::FlipHor_Click);
    connect(m_controls.mnuimagever, &QAction::triggered, this, &DisplayController::FlipVer_Click);
    connect(m_controls.mnuimageneg, &QAction::triggered, this, &DisplayController::Negative_Click);
    connect(m_controls.mnubmp, &QAction::triggered, this, &DisplayController::mnubmp_Click);
    for (QAction* scale :
        { m_controls.mnuviewfit, m_controls.mnuviewquarter, m_controls.mnuviewhalf, m_controls.mnuviewfull })
        connect(scale, &QAction::triggered, this, &DisplayController::ViewScale_Click);
    ViewScale_Click();
}

void DisplayController::ViewScale_Click()
{
    const std::pair<QAction*, ViewScale> scales[]
        = { { m_controls.mnuviewfit, ViewScale::Fit }, { m_controls.mnuviewquarter, ViewScale::Quarter },
              { m_controls.mnuviewhalf, ViewScale::Half }, { m_controls.mnuviewfull, ViewScale::Full } };
    for (const auto& [item, scale] : scales)
        if (item->isChecked())
            m_controls.images->SetScale(scale);
}

void DisplayController::PlotImage()
{
    ImageArea& images = *m_controls.images;
    m_controls.status->ShowNow(4, QStringLiteral("Processing"));
    m_controls.status->ClearReadout();
    m_controls.panel->ClearZoom();
    images.setToolTip({});
    images.LineProf()->hide();
    for (QAction* item : { m_controls.mnuimagedark, m_controls.mnuimageflat, m_controls.mnubmp, m_controls.mnurep,
             m_controls.mnuimageneg, m_controls.mnuimagehor, m_controls.mnuimagever })
        item->setEnabled(true);
    images.PicTwo()->show();

    // The rendered size is IMG's own, whatever frame was read since.
    const ImagePlane& img = m_session.store.img;
    images.PreparePicture1(img.Width(), img.Height());
    images.LayoutViews();
    {
        WaitCursor busy;
        const Palette palette = m_controls.mnuviewgrey->isChecked() ? Palette::Grey : Palette::Levels;
        images.RenderPicture1(img, ColourTable(m_controls.panel->Cuts(), m_controls.panel->Scale(), palette));
    }
    images.ArrangeViews();
    images.RefreshScrolledView();
    m_controls.status->ShowNow(4, QStringLiteral("Ready"));
}

void DisplayController::SetCuts(DisplayCuts cuts)
{
    m_controls.panel->SetCuts(cuts);
}

void DisplayController::ProposeCuts()
{
    SetCuts(lumvane::ProposeCuts(m_session.store.img, m_session.random));
}

void DisplayController::btndispauto_Click()
{
    // Nothing to propose from before the first image.
    if (!m_controls.mnurep->isEnabled())
        return;
    ProposeCuts();
    Replot();
}

void DisplayController::mnuviewgrey_Click()
{
    if (m_controls.mnurep->isEnabled())
        Replot();
}

void DisplayController::Replot()
{
    m_controls.images->LineProf()->hide();
    PlotImage();
}

void DisplayController::NewImage()
{
    m_flippedHorizontally = false;
    m_flippedVertically = false;
    m_controls.status->ShowFlips(false, false);
}

void DisplayController::FlipHor_Click()
{
    FlipHorizontal(m_session.store.img);
    m_flippedHorizontally = !m_flippedHorizontally;
    m_controls.status->ShowFlips(m_flippedHorizontally, m_flippedVertically);
    PlotImage();
}

void DisplayController::FlipVer_Click()
{
    FlipVertical(m_session.store.img);
    m_flippedVertically = !m_flippedVertically;
    m_controls.status->ShowFlips(m_flippedHorizontally, m_flippedVertically);
    PlotImage();
}

void DisplayController::Negative_Click()
{
    m_controls.panel->ExchangeCuts();
    PlotImage();
}

void DisplayController::mnubmp_Click()
{
    SaveBmpAs(m_dialogs, *m_controls.status, m_controls.images->PicTwo()->Picture());
}

void DisplayController::PicTwo_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, QPointF position)
{
    if (m_profiles.MouseMove(position))
        return;
    ImageArea& images = *m_controls.images;
    const ViewPosition scroll = images.Scroll();
    const int imageHeight = images.ImageHeight();
    const CursorReadout readout
        = ReadCursorOnView(m_session.store.img, { position.x(), position.y() }, scroll, imageHeight);
    images.LineProf()->show();
    m_controls.status->ShowReadout(QString::fromStdString(readout.xText), QString::fromStdString(readout.yText),
        QString::fromStdString(readout.valueText));
    // The zoom shows image pixels: from the full-size picture when the view is reduced.
    if (scroll.reduction == 1)
        m_controls.panel->PaintZoom(images.PicTwo()->Picture(), readout.image, scroll, imageHeight);
    else
        m_controls.panel->PaintZoom(images.Picture1(), readout.image, {}, imageHeight);
}

} // namespace lumvane
