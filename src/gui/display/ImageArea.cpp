#include "gui/display/ImageArea.h"

#include "core/display/RenderImage.h"
#include "gui/display/PictureView.h"
#include "gui/profile/LineControl.h"

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

ViewPosition ImageArea::Scroll() const
{
    return { m_hsbScroll->value(), m_vsbScroll->value(), m_reduction };
}

void ImageArea::SetScale(ViewScale scale)
{
    m_scale = scale;
    if (m_picTwo->isHidden())
        return;
    const QPointF middle = QRectF(m_picTwo->Picture().rect()).center();
    const ViewPoint centre = ImagePointOfView({ middle.x(), middle.y() }, Scroll(), m_imageHeight);
    LayoutViews();
    ArrangeViews();
    const ViewPoint shown = ViewPointOfImage(centre, { 0, 0, m_reduction }, m_imageHeight);
    m_hsbScroll->setValue(static_cast<int>(std::lround(shown.x - middle.x())));
    m_vsbScroll->setValue(static_cast<int>(std::lround(shown.y - middle.y())));
    RefreshScrolledView();
}

void ImageArea::PreparePicture1(int imageWidth, int imageHeight)
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
    m_picTwo->Clear();
}

void ImageArea::LayoutViews()
{
    const PixelSize area { width(), height() };
    m_reduction = ViewReduction(m_scale, m_imageWidth, m_imageHeight, area);
    const ViewLayout layout
        = lumvane::LayoutViews(ReducedPictureSize(m_imageWidth, m_imageHeight, m_reduction), area, kScrollBarThickness);
    m_hsbScroll->setVisible(layout.horizontalBarShown);
    m_vsbScroll->setVisible(layout.verticalBarShown);
    if (layout.verticalBarShown)
        m_vsbScroll->setGeometry(layout.verticalBarLeft, 0, kScrollBarThickness, layout.verticalBarHeight);
    if (layout.horizontalBarShown)
        m_hsbScroll->setGeometry(0, layout.horizontalBarTop, layout.horizontalBarWidth, kScrollBarThickness);
    m_picTwo->SetViewGeometry({ 0, 0, layout.visibleWidth, layout.visibleHeight });
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
    const ScrollRanges ranges = ArrangeScrollRanges(
        ReducedPictureSize(m_imageWidth, m_imageHeight, m_reduction), { m_picTwo->width(), m_picTwo->height() });
    SetSteps(m_hsbScroll, ranges.horizontal);
    SetSteps(m_vsbScroll, ranges.vertical);
}

void ImageArea::RefreshScrolledView()
{
    QImage& visible = m_picTwo->Picture();
    if (visible.isNull() || m_picture1.isNull())
        return;
    CopyViewWindow(reinterpret_cast<const std::uint32_t*>(m_picture1.constBits()),
        { m_picture1.width(), m_picture1.height() }, m_picture1.bytesPerLine() / 4, Scroll(),
        reinterpret_cast<std::uint32_t*>(visible.bits()), { visible.width(), visible.height() },
        visible.bytesPerLine() / 4, QColor(Qt::black).rgb());
    m_picTwo->update();
}

void ImageArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Before the first image there is nothing to lay out.
    if (m_picTwo->isHidden())
        return;
    LayoutViews();
    ArrangeViews();
    RefreshScrolledView();
}

} // namespace lumvane
