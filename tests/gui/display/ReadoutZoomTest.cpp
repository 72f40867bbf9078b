#include "support/Form1Fixture.h"

#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>

namespace lumvane {
namespace {

using test::Form1Fixture;

// Physical count 100 x + y at image point (x, y); (120, 87) holds 767, the
// stored sample -32000.
int NumberedPixels(int x, int y)
{
    return x == 120 && y == 87 ? 767 : 100 * x + y;
}

// Physical counts that make a busy picture with the cuts 1000 and 2500: each
// image point draws in level (x + 3 y) mod 16.
int Pattern(int x, int y)
{
    return 1050 + 100 * ((x + 3 * y) % 16);
}

class CursorReadoutAndZoom : public Form1Fixture {
protected:
    void Open(int width, int height, const test::PhysicalImage& physical)
    {
        const std::string name = dir.File("image" + std::to_string(++m_files) + ".fts");
        test::WritePhysicalImage(name, width, height, physical);
        OpenThroughMenu(QString::fromStdString(name));
    }

    // The mouse moved, no button held, over a pixel of PicTwo's drawing area.
    void MoveTo(QPointF drawingPixel)
    {
        PictureView* picTwo = Images().PicTwo();
        const QPointF position = drawingPixel + QPointF(picTwo->contentsRect().topLeft());
        QMouseEvent move(
            QEvent::MouseMove, position, picTwo->mapToGlobal(position), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(picTwo, &move);
    }

    std::vector<QString> Panels() const { return { StatusText(1), StatusText(2), StatusText(3) }; }

    void Scroll(int h, int v)
    {
        Find<QScrollBar>("hsbScroll")->setValue(h);
        Find<QScrollBar>("vsbScroll")->setValue(v);
    }

    const QImage& Visible() const { return Images().PicTwo()->Picture(); }
    QImage Zoom() const { return Find<PictureView>("PictZoom")->Picture(); }

    // What the zoom window shows for the rectangle of PicTwo's picture at
    // (x, y) magnified `factor`-fold: each source pixel a factor x factor block.
    QImage Magnified(int x, int y, int factor) const
    {
        QImage expected(81, 81, QImage::Format_RGB32);
        for (int r = 0; r < 81; ++r)
            for (int c = 0; c < 81; ++c)
                expected.setPixel(c, r, Visible().pixel(x + c / factor, y + r / factor));
        return expected;
    }

private:
    int m_files = 0;
};

TEST_F(CursorReadoutAndZoom, PanelsShowTheImagePointUnderTheCursorAndMovesShowTheProfileLineAgain)
{
    Open(300, 200, NumberedPixels);
    EXPECT_EQ(Panels(), (std::vector<QString> { "X =", "Y =", "Value =" }));
    EXPECT_TRUE(Images().LineProf()->isHidden());

    // Image point (120, 87) is drawing pixel (118, 200 - 87 - 2).
    MoveTo({ 118, 111 });
    EXPECT_EQ(Panels(), (std::vector<QString> { "X = 120", "Y = 87", "Value = 767" }));
    EXPECT_FALSE(Images().LineProf()->isHidden());
    // On the view's border, left of the image's first column.
    MoveTo({ -2, 50 });
    EXPECT_EQ(Panels(), (std::vector<QString> { "X = 0", "Y = 148", "Value =" }));
    EXPECT_EQ(StatusText(4), "Ready");
}

TEST_F(CursorReadoutAndZoom, ZoomMagnifiesTheViewsPictureAroundTheCursor)
{
    Open(1000, 700, Pattern);
    Find<QLineEdit>("txtmin")->setText("1000");
    Find<QLineEdit>("txtmax")->setText("2500");
    Trigger("mnurep");
    Scroll(50, 30);
    // A mark on PicTwo's own picture is in the zoom: the zoom copies the view.
    {
        QPainter painter(&Images().PicTwo()->Picture());
        painter.fillRect(QRect(195, 148, 3, 2), QColor(1, 2, 3));
    }

    MoveTo({ 200, 150 });
    EXPECT_EQ(Zoom(), Magnified(160, 110, 1));
    EXPECT_EQ(Zoom().pixel(36, 38), qRgb(1, 2, 3));

    // The slider writes the label at once; the window waits for a move.
    Find<QSlider>("Slider1")->setValue(4);
    EXPECT_EQ(Find<QLabel>("LabelZoom")->text(), " 4");
    EXPECT_EQ(Zoom(), Magnified(160, 110, 1));
    MoveTo({ 200, 150 });
    EXPECT_EQ(Zoom(), Magnified(190, 140, 4));
}

} // namespace
} // namespace lumvane
