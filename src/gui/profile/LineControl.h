#pragma once

#include <QPoint>
#include <QPointF>
#include <QWidget>

namespace lumvane {

/// @brief A line control: a straight line between two points of its parent's
/// drawing area, shown over whatever the parent paints.
///
/// The widget covers just the line's bounding box and lets the mouse through
/// to the view under it. The line is drawn dashed white over solid black, so
/// it stays visible over any colour of the picture.
class LineControl : public QWidget {
    Q_OBJECT

public:
    /// `origin`: where the parent's drawing area starts in the parent widget
    /// (inside a view's frame).
    LineControl(QWidget* parent, const QString& name, QPoint origin);

    QPointF FirstPoint() const { return m_first; }
    QPointF SecondPoint() const { return m_second; }
    /// The end points, at pixels of the parent's drawing area.
    void SetFirstPoint(QPointF point);
    void SetSecondPoint(QPointF point);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Place();

    QPoint m_origin;
    QPointF m_first;
    QPointF m_second;
};

} // namespace lumvane
