#include "support/Form1Fixture.h"

#include "core/display/LevelPalette.h"
#include "core/display/ViewCoordinates.h"
#include "gui/app/TabPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace lumvane {
namespace {

using test::Form1Fixture;

std::uint32_t LevelColour(int level)
{
    return PackedColour(kLevelPalette[static_cast<std::size_t>(level)]);
}

// With the cuts 1000 and 2500 each level covers 100 counts: image point
// (x, y) of this image draws in level (x + y) mod 16.
int LevelPattern(int x, int y)
{
    return 1000 + 100 * ((x + y) % 16) + 50;
}

class ImageViews : public Form1Fixture {
protected:
    void Open(int width, int height, const test::PhysicalImage& physical = LevelPattern)
    {
        const std::string name = dir.File("image" + std::to_string(++m_files) + ".fts");
        test::WritePhysicalImage(name, width, height, physical);
        OpenThroughMenu(QString::fromStdString(name));
    }

    // Types the cuts into the Display tab and presses Replot.
    void Replot(const QString& black, const QString& white, bool log = false)
    {
        Tabs().SetCurrentIndex(2);
        for (auto [name, text] : { std::pair { "txtmin", black }, std::pair { "txtmax", white } }) {
            auto* box = Find<QLineEdit>(name);
            box->clear();
            QTest::keyClicks(box, text);
        }
        Find<QCheckBox>("ChkLog")->setChecked(log);
        QTest::mouseClick(Find<QPushButton>("btndispreplot"), Qt::LeftButton);
    }

    QScrollBar* Horizontal() const { return Find<QScrollBar>("hsbScroll"); }
    QScrollBar* Vertical() const { return Find<QScrollBar>("vsbScroll"); }
    const QImage& Visible() const { return Images().PicTwo()->Picture(); }
    const QImage& FullSize() const { return Images().Picture1(); }

    // The window of the full-size picture that the scroll bars choose.
    QImage ScrolledWindow() const
    {
        return FullSize().copy(QRect(QPoint(Horizontal()->value(), Vertical()->value()), Visible().size()));
    }

    // The colour PicTwo shows at a pixel, by the level of the image point there.
    std::uint32_t PatternColourAt(int viewX, int viewY) const
    {
        const ViewPosition scroll { Horizontal()->value(), Vertical()->value() };
        const ViewPoint point = ImagePointOfView({ double(viewX), double(viewY) }, scroll, Images().ImageHeight());
        return LevelColour((static_cast<int>(point.x) + static_cast<int>(point.y)) % 16);
    }

private:
    int m_files = 0;
};

TEST_F(ImageViews, TheViewAndItsScrollBarsFitThePictureAreaWhateverTheWindowsSize)
{
    Open(1000, 700);
    for (const QSize window : { QSize(640, 480), QSize(900, 700), form->size() }) {
        form->resize(window);
        QCoreApplication::processEvents();
        // Both bars inside the area: 17 pixels each, the vertical one a pixel off the view.
        const QSize area = Images().size();
        const QSize visible = area - QSize(18, 17);
        EXPECT_EQ(Find<QWidget>("PicTwo")->geometry(), QRect(QPoint(0, 0), visible));
        EXPECT_EQ(Horizontal()->geometry(), QRect(0, visible.height(), visible.width(), 17));
        EXPECT_EQ(Vertical()->geometry(), QRect(visible.width() + 1, 0, 17, visible.height()));
        EXPECT_TRUE(Horizontal()->isVisible());
        EXPECT_TRUE(Vertical()->isVisible());
        EXPECT_EQ(Horizontal()->maximum(), 1000 - visible.width());
        EXPECT_EQ(Horizontal()->pageStep(), 996);
        EXPECT_EQ(Vertical()->maximum(), 700 - visible.height());
        EXPECT_EQ(Vertical()->pageStep(), 696);
        EXPECT_EQ(Visible(), ScrolledWindow());
        // The tab panel stays in the window beside the picture.
        const QWidget* tabs = Find<QWidget>("SSTab1");
        EXPECT_TRUE(form->rect().contains(QRect(tabs->mapTo(form.get(), QPoint(0, 0)), tabs->size())));
    }
    EXPECT_EQ(FullSize().size(), QSize(996, 696));
}

TEST_F(ImageViews, EveryViewScaleShowsReadsAndMeasuresTheImagePixelUnderTheCursor)
{
    // A one-pixel star of 10000 counts over 1000 at (398, 302): a whole number
    // of view pixels from the picture's corner at 1:1, 1:2, 1:3 and 1:4.
    const ViewPoint star { 398, 302 };
    Open(1000, 700, [](int x, int y) { return x == 398 && y == 302 ? 11000 : 1000; });
    for (const char* scale : { "mnuviewhalf", "mnuviewquarter", "mnuviewfit", "mnuviewfull" }) {
        Trigger(scale);
        const ViewPoint pixel = ViewPointOfImage(star, Images().Scroll(), 700);
        const QPoint view(static_cast<int>(pixel.x), static_cast<int>(pixel.y));
        ASSERT_TRUE(Visible().rect().contains(view)) << scale;
        EXPECT_EQ(Visible().pixel(view), FullSize().pixel(396, 396)) << scale;
        PictureView* picTwo = Images().PicTwo();
        const QPoint position = picTwo->contentsRect().topLeft() + view;
        QMouseEvent move(
            QEvent::MouseMove, position, picTwo->mapToGlobal(position), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(picTwo, &move);
        EXPECT_EQ(StatusText(1) + StatusText(2) + StatusText(3), "X = 398Y = 302Value = 11000") << scale;
        QTest::mouseClick(picTwo, Qt::LeftButton, Qt::NoModifier, position);
        EXPECT_EQ(Find<QLineEdit>("lblsum")->text(), " 10000") << scale;
    }
}

TEST_F(ImageViews, ScrollingCopiesTheChosenWindowOfTheFullSizePicture)
{
    Open(1000, 700);
    Replot("1000", "2500");
    EXPECT_EQ(Visible(), ScrolledWindow());
    EXPECT_EQ(Visible().pixel(0, 0), PatternColourAt(0, 0));

    Horizontal()->setValue(100);
    Vertical()->setValue(50);
    EXPECT_EQ(Visible(), ScrolledWindow());
    EXPECT_EQ(Visible().pixel(300, 17), PatternColourAt(300, 17));

    // A click in the trough pages to the end.
    QTest::mouseClick(Horizontal(), Qt::LeftButton, {}, QPoint(Horizontal()->width() - 30, 8));
    EXPECT_EQ(Horizontal()->value(), Horizontal()->maximum());
    EXPECT_EQ(Visible(), ScrolledWindow());
}

TEST_F(ImageViews, MarkDrawnOnlyOnPicTwoVanishesOnScrollWhileMarksOnPicture1Follow)
{
    Open(1000, 700);
    Replot("1000", "2500");
    PictureView* picTwo = Images().PicTwo();
    const QRgb mark = qRgb(1, 2, 3); // no palette colour
    {
        QPainter painter(&picTwo->Picture());
        painter.fillRect(QRect(5, 5, 6, 6), QColor(mark));
    }
    // On the full-size picture: image point (150, 600), at (148, 98) there.
    const ViewPoint onPicture1 = ViewPointOfImage({ 150, 600 }, {}, 700);
    Images().Picture1().setPixel(static_cast<int>(onPicture1.x), static_cast<int>(onPicture1.y), mark);
    EXPECT_EQ(picTwo->Picture().pixel(7, 7), mark);

    Horizontal()->setValue(Horizontal()->value() + 1);
    EXPECT_NE(picTwo->Picture().pixel(7, 7), mark);
    EXPECT_EQ(picTwo->Picture().pixel(7, 7), PatternColourAt(7, 7));
    Horizontal()->setValue(100);
    Vertical()->setValue(30);
    const ViewPoint shown = ViewPointOfImage({ 150, 600 }, { 100, 30 }, 700);
    EXPECT_EQ(picTwo->Picture().pixel(static_cast<int>(shown.x), static_cast<int>(shown.y)), mark);
    EXPECT_EQ(Visible(), ScrolledWindow());
}

TEST_F(ImageViews, ARefusedLineStepKeepsThePreviousOneAndASmallerImageLowersTheScrollValue)
{
    Open(1000, 700);
    Horizontal()->setValue(100);
    // Maximum 40 with both bars: the value comes down to it.
    const int visibleWidth = Images().width() - 18;
    Open(visibleWidth + 40, 700);
    EXPECT_EQ(Horizontal()->maximum(), 40);
    EXPECT_EQ(Horizontal()->value(), 40);
    EXPECT_EQ(Visible(), ScrolledWindow());
    // One pixel wider than the area and low: maximum 1, and round(0.1) = 0 is refused.
    Open(Images().width() + 1, 100);
    EXPECT_EQ(Horizontal()->maximum(), 1);
    EXPECT_EQ(Horizontal()->pageStep(), Images().width() - 3);
    EXPECT_EQ(Horizontal()->singleStep(), 4);
    EXPECT_TRUE(Horizontal()->isVisible());
    EXPECT_FALSE(Vertical()->isVisible());
    EXPECT_EQ(Vertical()->maximum(), 0);
}

TEST_F(ImageViews, LevelsFollowTheCutTextsAndTheLogCheckBox)
{
    // 1100 at (3, 5) and 1000 at (4, 5); everything else 3000.
    Open(30, 30, [](int x, int y) { return y != 5 || x > 4 ? 3000 : 1000 + (x == 3 ? 100 : 0); });
    const auto shown = [&](int x) { return FullSize().pixel(x - 2, 30 - 2 - 5); };

    // Levels of 100 counts from the text's integer part 1000: 1100 starts level 1.
    Replot(" 1000.7 counts", "2500");
    EXPECT_EQ(shown(3), LevelColour(1));
    // Log: 15 ln 10 / ln 100 = 7.5 gives 7.
    Replot("100", "10000", true);
    EXPECT_EQ(shown(4), LevelColour(7));
    EXPECT_EQ(StatusText(4), "Ready");
}

TEST_F(ImageViews, ReplotFromTheMenuRendersWithTheCurrentCuts)
{
    Open(40, 40);
    Find<QLineEdit>("txtmin")->setText("1000");
    Find<QLineEdit>("txtmax")->setText("2500");
    Images().LineProf()->show();
    Trigger("mnurep");
    EXPECT_FALSE(Images().LineProf()->isVisible());
    EXPECT_EQ(FullSize().pixel(0, 0), LevelColour((2 + 38) % 16));
    EXPECT_EQ(Visible(), FullSize());
}

} // namespace
} // namespace lumvane
