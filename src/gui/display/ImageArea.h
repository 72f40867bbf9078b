#pragma once

#include "core/display/ColourTable.h"
#include "core/display/ViewCoordinates.h"
#include "core/display/ViewLayout.h"
#include "core/image/ImagePlane.h"

#include <QImage>
#include <QWidget>

class QScrollBar;

namespace lumvane {

class LineControl;
class PictureView;

/// @brief The image area of the main window: the off-screen full-size
/// picture `Picture1`, the visible scrolled view `PicTwo` with its scroll bars
/// `hsbScroll` and `vsbScroll`, and the profile lines `LineProf`, `LineProf2`.
///
/// `Picture1` is the image rendered at full size, (W - 4) x (H - 4) pixels
/// (its drawing area), image point (x, y) at pixel (x - 2, H - 2 - y); every
/// mark meant to stay is drawn into it. `PicTwo` shows the window of it that
/// the scroll bars choose, at the view's scale: a scroll copies that window,
/// it never re-renders. The view and its bars fit the area, whatever its size.
class ImageArea : public QWidget {
    Q_OBJECT

public:
    explicit ImageArea(QWidget* parent = nullptr);

    QImage& Picture1() { return m_picture1; }
    PictureView* PicTwo() const { return m_picTwo; }
    QScrollBar* HorizontalScrollBar() const { return m_hsbScroll; }
    QScrollBar* VerticalScrollBar() const { return m_vsbScroll; }
    QWidget* LineProf() const { return m_lineProf; }
    /// The rubber band of drags on `PicTwo`, at pixels of its drawing area.
    LineControl* LineProf2() const { return m_lineProf2; }

    /// The rendered size W x H of the last render.
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    /// The scroll bar values and the reduction `PicTwo` shows now.
    ViewPosition Scroll() const;

    /// Shows the picture at another scale, the image point at the view's
    /// centre staying there.
    void SetScale(ViewScale scale);
    /// Sizes `Picture1` for the render of a W x H image that follows, and
    /// clears `PicTwo`.
    void PreparePicture1(int imageWidth, int imageHeight);
    /// Renders the image into `Picture1` through the colour table.
    void RenderPicture1(const ImagePlane& img, const ColourTable& colours);
    /// Lays out `PicTwo` and the scroll bars for the picture at its scale in
    /// the area as it is now.
    void LayoutViews();
    /// Sets both scroll bars' maximum, page step and line step from the views.
    void ArrangeViews();
    /// Copies the window of `Picture1` that the scroll bars choose into `PicTwo`.
    void RefreshScrolledView();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_picture1;
    PictureView* m_picTwo;
    QScrollBar* m_hsbScroll;
    QScrollBar* m_vsbScroll;
    QWidget* m_lineProf;
    LineControl* m_lineProf2;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    ViewScale m_scale = ViewScale::Full;
    int m_reduction = 1; ///< of m_scale, in the area of the last layout
};

} // namespace lumvane
