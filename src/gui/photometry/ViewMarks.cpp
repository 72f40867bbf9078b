#include "gui/photometry/ViewMarks.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace lumvane {

namespace {

QColor ColourOf(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

Rgb CircleColour(CircleKind kind)
{
    return kind == CircleKind::Click ? kClickCircleColour : kCentreCircleColour;
}

Rgb StarLabelColour(int slot)
{
    switch (StarKindOf(slot)) {
    case StarKind::St1:
        return { 255, 255, 0 };
    case StarKind::Comparison:
        return { 0, 255, 255 };
    case StarKind::Variable:
        return { 255, 0, 255 };
    }
    return {};
}

void DrawCircle(QImage& picture, ViewPoint centre, int radius, Rgb colour)
{
    if (picture.isNull() || radius < 0)
        return;
    QPainter painter(&picture);
    painter.setPen(QPen(ColourOf(colour), 0));
    painter.setBrush(Qt::NoBrush);
    // Aliased: a pixel's own colour, never a blend with the image under it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawEllipse(QPointF(centre.x, centre.y), radius, radius);
}

void DrawLabel(QImage& picture, ViewPoint topLeft, const QString& text, Rgb colour)
{
    if (picture.isNull())
        return;
    QPainter painter(&picture);
    painter.setPen(ColourOf(colour));
    // Plain pixels of the label's colour, as with the circles.
    QFont font = painter.font();
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.drawText(QPointF(topLeft.x, topLeft.y + metrics.ascent()), text);
}

} // namespace lumvane
