#include "gui/display/PictureView.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumvane {

namespace {

constexpr int kFrameWidth = 2;

} // namespace

PictureView::PictureView(QWidget* parent, QColor background)
    : QFrame(parent)
    , m_background(background)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kFrameWidth);
    // Every pixel inside the frame comes from the picture.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button pressed drive the cursor readouts.
    setMouseTracking(true);
}

void PictureView::SetViewGeometry(const QRect& outer)
{
    setGeometry(outer);
    FitPicture();
}

void PictureView::Clear()
{
    m_picture.fill(m_background);
    update();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_picture);
    painter.end();
    QFrame::paintEvent(event);
}

void PictureView::resizeEvent(QResizeEvent* event)
{
    FitPicture();
    QFrame::resizeEvent(event);
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(event->button(), event->modifiers(), event->position() - contentsRect().topLeft());
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMove(event->buttons(), event->modifiers(), event->position() - contentsRect().topLeft());
}

void PictureView::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseUp(event->button(), event->modifiers(), event->position() - contentsRect().topLeft());
}

void PictureView::FitPicture()
{
    const QSize drawingSize = contentsRect().size().expandedTo(QSize(0, 0));
    if (drawingSize != m_picture.size()) {
        QImage picture(drawingSize, QImage::Format_RGB32);
        picture.fill(m_background);
        if (!m_picture.isNull() && !picture.isNull()) {
            QPainter painter(&picture);
            painter.drawImage(0, 0, m_picture);
        }
        m_picture = picture;
    }
}

} // namespace lumvane
