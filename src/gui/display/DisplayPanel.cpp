#include "gui/display/DisplayPanel.h"

#include "core/common/NumberText.h"
#include "gui/app/Controls.h"
#include "gui/display/PictureView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace lumvane {

namespace {

constexpr int kZoomDrawingSize = 81;

} // namespace

DisplayPanel::DisplayPanel(QWidget* parent)
    : QWidget(parent)
    , m_txtmin(NewTextBox(this, QStringLiteral("txtmin"), {}, QStringLiteral("All values below this will be black")))
    , m_txtmax(NewTextBox(this, QStringLiteral("txtmax"), {}, QStringLiteral("All values above this will be white")))
    , m_chkLog(NewCheckBox(
          this, QStringLiteral("ChkLog"), QStringLiteral("Log"), QStringLiteral("Logarithmic image display"), false))
    , m_btndispreplot(NewButton(
          this, QStringLiteral("btndispreplot"), QStringLiteral("Replot"), QStringLiteral("Click to replot the image")))
{
    auto* cuts = new QGridLayout;
    cuts->addWidget(NewLabel(this, QStringLiteral("Label3"), QStringLiteral("BLACK")), 0, 0);
    cuts->addWidget(m_txtmin, 0, 1);
    cuts->addWidget(NewLabel(this, QStringLiteral("Label4"), QStringLiteral("WHITE")), 1, 0);
    cuts->addWidget(m_txtmax, 1, 1);
    cuts->addWidget(m_chkLog, 2, 0);
    cuts->addWidget(m_btndispreplot, 2, 1, Qt::AlignRight);

    auto* imageButtons = new QHBoxLayout;
    imageButtons->setSpacing(3);
    imageButtons->addWidget(NewButton(
        this, QStringLiteral("btnNegative"), QStringLiteral("Negative"), QStringLiteral("Get negative image")));
    imageButtons->addWidget(NewButton(
        this, QStringLiteral("btnFlipHor"), QStringLiteral("Flip Hor"), QStringLiteral("Flip the image horizontally")));
    imageButtons->addWidget(NewButton(
        this, QStringLiteral("btnFlipVer"), QStringLiteral("Flip Ver"), QStringLiteral("Flip the image vertically")));

    auto* frameZoom = new QGroupBox(QStringLiteral("Zoom"), this);
    frameZoom->setObjectName(QStringLiteral("FrameZoom"));
    auto* pictZoom = new PictureView(frameZoom);
    pictZoom->setObjectName(QStringLiteral("PictZoom"));
    pictZoom->setToolTip(QStringLiteral("Zoom window"));
    pictZoom->setFixedSize(kZoomDrawingSize + 4, kZoomDrawingSize + 4);
    auto* zoomLayout = new QHBoxLayout(frameZoom);
    zoomLayout->addWidget(pictZoom);
    zoomLayout->addWidget(
        NewLabel(frameZoom, QStringLiteral("LabelZoom"), QStringLiteral("1"), QStringLiteral("Zoom In")));
    zoomLayout->addStretch(1);

    auto* slider1 = new QSlider(Qt::Horizontal, this);
    slider1->setObjectName(QStringLiteral("Slider1"));
    slider1->setToolTip(QStringLiteral("Change Zoom"));
    slider1->setRange(1, 6);
    slider1->setPageStep(1);
    slider1->setTickPosition(QSlider::TicksBelow);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(cuts);
    layout->addLayout(imageButtons);
    layout->addSpacing(6);
    layout->addWidget(frameZoom);
    layout->addWidget(slider1);
    layout->addStretch(1);
    layout->addWidget(NewButton(this, QStringLiteral("btnDispHelp"), QStringLiteral("Help")), 0, Qt::AlignRight);
}

DisplayCuts DisplayPanel::Cuts() const
{
    return RenderCutsFromTexts(m_txtmin->text().toStdString(), m_txtmax->text().toStdString());
}

void DisplayPanel::SetCuts(DisplayCuts cuts)
{
    m_txtmin->setText(QString::fromStdString(NumberText(cuts.black)));
    m_txtmax->setText(QString::fromStdString(NumberText(cuts.white)));
}

LevelScale DisplayPanel::Scale() const
{
    return m_chkLog->isChecked() ? LevelScale::Logarithmic : LevelScale::Linear;
}

} // namespace lumvane
