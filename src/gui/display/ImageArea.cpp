#include "gui/display/ImageArea.h"

#include "core/display/RenderImage.h"
#include "gui/display/PictureView.h"
#include "gui/profile/LineControl.h"

#include <QPainter>
#include <QScrollBar>

#include <cmath>

namespace lumvane {

namespace {

constexpr int kScrollBarThickness = 17;

QScrollBar* NewScrollBar(Qt::Orientation orientation, const QString& name, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setMinimum(0);
    bar->setMaximum(0);
    bar->hide();
    return bar;
}

QWidget* NewProfileLine(const QString& name, QWidget* parent)
{
    auto* line = new QWidget(parent);
    line->setObjectName(name);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->hide();
    return line;
}

void SetSteps(QScrollBar* bar, const ScrollBarSteps& steps)
{
    bar->setMaximum(steps.maximum);
    if (steps.pageStep)
        bar->setPageStep(*steps.pageStep);
    // A step below 1 is refused: the bar keeps the step it had.
    if (steps.lineStep)
        bar->setSingleStep(*steps.lineStep);
}

int Pixels(double position)
{
    return static_cast<int>(std::lround(position));
}

} // namespace

ImageArea::ImageArea(QWidget* parent)
    : QWidget(parent)
    , m_picTwo(new PictureView(this))
    , m_hsbScroll(NewScrollBar(Qt::Horizontal, QStringLiteral("hsbScroll"), this))
    , m_vsbScroll(NewScrollBar(Qt::Vertical, QStringLiteral("vsbScroll"), this))
    , m_lineProf(NewProfileLine(QStringLiteral("LineProf"), this))
    , m_lineProf2(new LineControl(m_picTwo, QStringLiteral("LineProf2"), m_picTwo->contentsRect().topLeft()))
{
    setToolTip(QStringLiteral("Image area"));
    m_picTwo->setObjectName(QStringLiteral("PicTwo"));
    m_picTwo->setCursor(Qt::CrossCursor);
    m_picTwo->SetViewGeometry({ 0, 0, 4, 4 });
    m_picTwo->hide();
    // A finished scroll and every step of a thumb drag both arrive here.
    connect(m_hsbScroll, &QScrollBar::valueChanged, this, &ImageArea::RefreshScrolledView);
    connect(m_vsbScroll, &QScrollBar::valueChanged, this, &ImageArea::RefreshScrolledView);
}

ScrollPosition ImageArea::Scroll() const
{
    return { m_hsbScroll->value(), m_vsbScroll->value() };
}

void ImageArea::PlaceScrollBars(double verticalBarLeft, double horizontalBarTop)
{
    m_vsbScroll->move(Pixels(verticalBarLeft), m_vsbScroll->y());
    m_hsbScroll->move(m_hsbScroll->x(), Pixels(horizontalBarTop));
}

void ImageArea::LayoutViews(int imageWidth, int imageHeight, ScreenSize screen)
{
    m_imageWidth = imageWidth;
    m_imageHeight = imageHeight;
    // The render paints every pixel of the picture, which clears its marks:
    // a picture of the same size is painted over, not made anew (a new one
    // of 4092 x 4092 costs more in fresh memory than the whole render).
    const RenderWindow window = FullSizeViewWindow(imageWidth, imageHeight);
    if (m_picture1.size() != QSize(window.width, window.height)) {
        m_picture1 = QImage(window.width, window.height, QImage::Format_RGB32);
        m_picture1.fill(Qt::black);
    }

    const ViewLayout layout = lumvane::LayoutViews(imageWidth, imageHeight, screen);
    m_hsbScroll->hide();
    m_vsbScroll->hide();
    if (layout.verticalBarShown) {
        m_vsbScroll->setGeometry(
            Pixels(layout.verticalBarLeft), 0, kScrollBarThickness, Pixels(layout.verticalBarHeight));
        m_vsbScroll->show();
    }
    if (layout.horizontalBarShown) {
        m_hsbScroll->setGeometry(
            0, Pixels(layout.horizontalBarTop), Pixels(layout.horizontalBarWidth), kScrollBarThickness);
        m_hsbScroll->show();
    }
    m_picTwo->SetViewGeometry({ 0, 0, Pixels(layout.visibleWidth), Pixels(layout.visibleHeight) });
    m_picTwo->Clear();
}

void ImageArea::RenderPicture1(const ImagePlane& img, const ColourTable& colours)
{
    if (m_picture1.isNull())
        return;
    RenderImage(img, colours, FullSizeViewWindow(m_imageWidth, m_imageHeight),
        reinterpret_cast<std::uint32_t*>(m_picture1.bits()), m_picture1.bytesPerLine() / 4);
}

void ImageArea::ArrangeViews()
{
    const ScrollRanges ranges = ArrangeScrollRanges(m_imageWidth, m_imageHeight, m_picTwo->width(), m_picTwo->height());
    SetSteps(m_hsbScroll, ranges.horizontal);
    SetSteps(m_vsbScroll, ranges.vertical);
}

void ImageArea::RefreshScrolledView()
{
    QImage& visible = m_picTwo->Picture();
    if (visible.isNull() || m_picture1.isNull())
        return;
    const ScrollPosition scroll = Scroll();
    QPainter painter(&visible);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), m_picture1, QRect(QPoint(scroll.h, scroll.v), visible.size()));
    painter.end();
    m_picTwo->update();
}

} // namespace lumvane
