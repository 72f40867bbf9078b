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
/// the scroll bars choose: a scroll copies that window, it never re-renders.
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

    /// The rendered size W x H of the last layout.
    int ImageWidth() const { return m_imageWidth; }
    int ImageHeight() const { return m_imageHeight; }
    ScrollPosition Scroll() const;

    /// Puts the scroll bars where the window's start-up layout has them.
    void PlaceScrollBars(double verticalBarLeft, double horizontalBarTop);
    /// Lays out both views and the scroll bars for a W x H image on a screen,
    /// clears `PicTwo` and sizes `Picture1` for the render that follows.
    void LayoutViews(int imageWidth, int imageHeight, ScreenSize screen);
    /// Renders the image into `Picture1` through the colour table.
    void RenderPicture1(const ImagePlane& img, const ColourTable& colours);
    /// Sets both scroll bars' maximum, page step and line step from the views.
    void ArrangeViews();
    /// Copies the window of `Picture1` that the scroll bars choose into `PicTwo`.
    void RefreshScrolledView();

private:
    QImage m_picture1;
    PictureView* m_picTwo;
    QScrollBar* m_hsbScroll;
    QScrollBar* m_vsbScroll;
    QWidget* m_lineProf;
    LineControl* m_lineProf2;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
};

} // namespace lumvane
