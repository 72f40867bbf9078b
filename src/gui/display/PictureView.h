#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPointF>

namespace lumvane {

/// @brief A picture view: a 2-pixel sunken frame around a persistent picture
/// of its drawing area.
///
/// Whatever is drawn into Picture() stays until it is drawn over or cleared;
/// painting only blits the picture. Resizing keeps the picture's top-left
/// part and fills new area with the background colour.
class PictureView : public QFrame {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr, QColor background = Qt::black);

    /// The drawing area's persistent picture; call update() after drawing.
    QImage& Picture() { return m_picture; }
    const QImage& Picture() const { return m_picture; }
    /// Places the view (outer size, frame included) and fits the picture to
    /// its drawing area at once, whether or not the view is shown.
    void SetViewGeometry(const QRect& outer);
    /// Fills the whole picture with the background colour.
    void Clear();

signals:
    // Mouse events at client pixels of the drawing area: (0, 0) is its
    // top-left pixel, just inside the frame.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void FitPicture();

    QColor m_background;
    QImage m_picture;
};

} // namespace lumvane
