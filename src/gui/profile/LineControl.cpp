#include "gui/profile/LineControl.h"

#include <QPainter>

#include <cmath>

namespace lumvane {

namespace {

/// Room around the line's box for the pen's width.
constexpr int kMargin = 2;

QPoint Pixel(QPointF point)
{
    return { static_cast<int>(std::floor(point.x())), static_cast<int>(std::floor(point.y())) };
}

} // namespace

LineControl::LineControl(QWidget* parent, const QString& name, QPoint origin)
    : QWidget(parent)
    , m_origin(origin)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    Place();
}

void LineControl::SetFirstPoint(QPointF point)
{
    m_first = point;
    Place();
}

void LineControl::SetSecondPoint(QPointF point)
{
    m_second = point;
    Place();
}

void LineControl::Place()
{
    const QRect box = QRect(Pixel(m_first), Pixel(m_second)).normalized();
    setGeometry(box.translated(m_origin).adjusted(-kMargin, -kMargin, kMargin, kMargin));
    update();
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Widget pixels: the drawing area's pixel p sits at p - pos() + origin.
    const QPointF shift = QPointF(m_origin - pos()) + QPointF(0.5, 0.5);
    const QPointF from = QPointF(Pixel(m_first)) + shift;
    const QPointF to = QPointF(Pixel(m_second)) + shift;
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawLine(from, to);
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawLine(from, to);
}

} // namespace lumvane
