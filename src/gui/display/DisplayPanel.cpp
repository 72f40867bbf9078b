#include "gui/display/DisplayPanel.h"

#include "core/common/NumberText.h"
#include "core/display/ZoomWindow.h"
#include "gui/app/Controls.h"
#include "gui/display/PictureView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cstdint>
#include <optional>

namespace lumvane {

DisplayPanel::DisplayPanel(QWidget* parent)
    : QWidget(parent)
    , m_txtmin(NewTextBox(this, QStringLiteral("txtmin"), {}, QStringLiteral("All values below this will be black")))
    , m_txtmax(NewTextBox(this, QStringLiteral("txtmax"), {}, QStringLiteral("All values above this will be white")))
    , m_chkLog(NewCheckBox(
          this, QStringLiteral("ChkLog"), QStringLiteral("Log"), QStringLiteral("Logarithmic image display"), false))
    , m_btndispauto(NewButton(this, QStringLiteral("btndispauto"), QStringLiteral("Auto"),
          QStringLiteral("Propose cuts from the picture as it is now")))
    , m_btndispreplot(NewButton(
          this, QStringLiteral("btndispreplot"), QStringLiteral("Replot"), QStringLiteral("Click to replot the image")))
    , m_btnNegative(NewButton(
          this, QStringLiteral("btnNegative"), QStringLiteral("Negative"), QStringLiteral("Get negative image")))
    , m_btnFlipHor(NewButton(this, QStringLiteral("btnFlipHor"), QStringLiteral("Flip Hor"),
          QStringLiteral("Flip the image horizontally")))
    , m_btnFlipVer(NewButton(
          this, QStringLiteral("btnFlipVer"), QStringLiteral("Flip Ver"), QStringLiteral("Flip the image vertically")))
    , m_pictZoom(new PictureView(this))
    , m_labelZoom(NewLabel(this, QStringLiteral("LabelZoom"), QStringLiteral("1"), QStringLiteral("Zoom In")))
    , m_slider1(new QSlider(Qt::Horizontal, this))
    , m_btnDispHelp(NewButton(this, QStringLiteral("btnDispHelp"), QStringLiteral("Help")))
{
    auto* cuts = new QGridLayout;
    cuts->addWidget(NewLabel(this, QStringLiteral("Label3"), QStringLiteral("BLACK")), 0, 0);
    cuts->addWidget(m_txtmin, 0, 1);
    cuts->addWidget(NewLabel(this, QStringLiteral("Label4"), QStringLiteral("WHITE")), 1, 0);
    cuts->addWidget(m_txtmax, 1, 1);
    cuts->addWidget(m_btndispauto, 0, 2, 2, 1);
    cuts->addWidget(m_chkLog, 2, 0);
    cuts->addWidget(m_btndispreplot, 2, 1, 1, 2, Qt::AlignRight);
    for (QLineEdit* box : { m_txtmin, m_txtmax })
        connect(box, &QLineEdit::returnPressed, this, &DisplayPanel::CutsEntered);

    auto* imageButtons = new QHBoxLayout;
    imageButtons->setSpacing(3);
    imageButtons->addWidget(m_btnNegative);
    imageButtons->addWidget(m_btnFlipHor);
    imageButtons->addWidget(m_btnFlipVer);

    auto* frameZoom = new QGroupBox(QStringLiteral("Zoom"), this);
    frameZoom->setObjectName(QStringLiteral("FrameZoom"));
    m_pictZoom->setObjectName(QStringLiteral("PictZoom"));
    m_pictZoom->setToolTip(QStringLiteral("Zoom window"));
    m_pictZoom->setFixedSize(kZoomDesignSize + 4, kZoomDesignSize + 4);
    // Its picture exists from the start: the zoom is painted while another
    // tab is shown, too.
    m_pictZoom->SetViewGeometry({ 0, 0, kZoomDesignSize + 4, kZoomDesignSize + 4 });
    auto* zoomLayout = new QHBoxLayout(frameZoom);
    zoomLayout->addWidget(m_pictZoom);
    zoomLayout->addWidget(m_labelZoom);
    zoomLayout->addStretch(1);

    m_slider1->setObjectName(QStringLiteral("Slider1"));
    m_slider1->setToolTip(QStringLiteral("Change Zoom"));
    m_slider1->setRange(1, 6);
    m_slider1->setPageStep(1);
    m_slider1->setTickPosition(QSlider::TicksBelow);
    connect(m_slider1, &QSlider::valueChanged, this, &DisplayPanel::Slider1_Change);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(cuts);
    layout->addLayout(imageButtons);
    layout->addSpacing(6);
    layout->addWidget(frameZoom);
    layout->addWidget(m_slider1);
    layout->addStretch(1);
    layout->addWidget(m_btnDispHelp, 0, Qt::AlignRight);
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

void DisplayPanel::ExchangeCuts()
{
    const QString black = m_txtmin->text();
    m_txtmin->setText(m_txtmax->text());
    m_txtmax->setText(black);
}

void DisplayPanel::Slider1_Change(int value)
{
    // The label is the only store of the factor; the zoom window follows at
    // the next mouse move.
    m_labelZoom->setText(QString::fromStdString(NumberText(value)));
}

void DisplayPanel::ClearZoom()
{
    m_pictZoom->Clear();
}

void DisplayPanel::PaintZoom(const QImage& view, ViewPoint imagePoint, ViewPosition scroll, int imageHeight)
{
    QImage& zoom = m_pictZoom->Picture();
    // Both are pictures of 32-bit pixels, as the views keep them.
    if (view.depth() != 32 || zoom.depth() != 32)
        return;
    const int factor = ZoomFactor(m_labelZoom->text().toStdString());
    const std::optional<ZoomRectangle> rectangle = ScrolledViewZoomRectangle(
        imagePoint, scroll, imageHeight, factor, { view.width(), view.height() }, { zoom.width(), zoom.height() });
    if (!rectangle)
        return;
    DrawZoom(*rectangle, reinterpret_cast<const std::uint32_t*>(view.constBits()), { view.width(), view.height() },
        view.bytesPerLine() / 4, reinterpret_cast<std::uint32_t*>(zoom.bits()), { zoom.width(), zoom.height() },
        zoom.bytesPerLine() / 4, QColor(Qt::black).rgb());
    m_pictZoom->update();
}

} // namespace lumvane
