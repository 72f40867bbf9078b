#include "../photometry/PhotometryFixture.h"

#include "core/display/LevelPalette.h"
#include "gui/app/TabPanel.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"
#include "gui/profile/LineControl.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <vector>

namespace lumvane {
namespace {

// A field whose counts tell where they were read: column x plus 100 times
// row y, so a profile's values give away its line.
constexpr int kFieldWidth = 200;
constexpr int kFieldHeight = 400;

int Field(int x, int y)
{
    return x + 100 * y;
}

constexpr Rgb kGreen { 0, 255, 0 };

class Profiles : public test::PhotometryFixture {
protected:
    void SetUp() override
    {
        const std::string name = dir.File("field.fts");
        test::WritePhysicalImage(name, kFieldWidth, kFieldHeight, Field);
        OpenThroughMenu(QString::fromStdString(name));
        ASSERT_EQ(Images().ImageHeight(), kFieldHeight);
        m_opened = dialogs.Shown().size();
    }

    /// The dialogs shown since the image was opened.
    std::vector<test::ShownDialog> Shown() const
    {
        return { dialogs.Shown().begin() + static_cast<std::ptrdiff_t>(m_opened), dialogs.Shown().end() };
    }

    PictureView* PlotArea() const { return Find<PictureView>(QStringLiteral("pictprof")); }
    QPoint OnPicTwo(QPoint pixel) const { return PicTwo()->contentsRect().topLeft() + pixel; }

    /// A right-button drag on the scrolled view between two pixels of its
    /// drawing area.
    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(PicTwo(), Qt::RightButton, Qt::NoModifier, OnPicTwo(from));
        QTest::mouseMove(PicTwo(), OnPicTwo(to));
        QTest::mouseRelease(PicTwo(), Qt::RightButton, Qt::NoModifier, OnPicTwo(to));
    }

    void Click(const char* buttonName) { Find<QPushButton>(QString::fromLatin1(buttonName))->click(); }

    static bool IsGreen(const QImage& picture, QPoint pixel) { return picture.pixel(pixel) == PackedColour(kGreen); }

    static int BlackPixels(const QImage& picture)
    {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                count += picture.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        return count;
    }

    static std::string FileText(const QString& fileName) { return test::ReadFileBytes(fileName.toStdString()); }

    /// The data file's lines for values first, first + 1, ... (each with one
    /// decimal): the point number from column 1, the value from column 15.
    static std::string DataLines(int count, double first)
    {
        std::string text;
        for (int i = 1; i <= count; ++i) {
            const QString point = QStringLiteral(" %1").arg(i).leftJustified(14, QLatin1Char(' '));
            text += point.toStdString() + QStringLiteral(" %1 \r\n").arg(first + (i - 1), 0, 'f', 1).toStdString();
        }
        return text;
    }

private:
    std::size_t m_opened = 0;
};

TEST_F(Profiles, DragOnTheViewMarksTheLineOnBothPicturesAndShowsTheProfilesTab)
{
    const QImage before = Images().Picture1();
    // The marks must be told from the picture under them.
    ASSERT_FALSE(IsGreen(before, { 10, 8 }));
    ASSERT_FALSE(IsGreen(before, { 48, 10 }));
    ASSERT_NE(Tabs().CurrentIndex(), 1);

    LineControl* band = Images().LineProf2();
    QTest::mousePress(PicTwo(), Qt::RightButton, Qt::NoModifier, OnPicTwo({ 10, 10 }));
    QTest::mouseMove(PicTwo(), OnPicTwo({ 110, 10 }));
    // The rubber band follows the cursor while the button is held.
    EXPECT_TRUE(band->isVisible());
    EXPECT_EQ(band->FirstPoint(), QPointF(10, 10));
    EXPECT_EQ(band->SecondPoint(), QPointF(110, 10));
    QTest::mouseRelease(PicTwo(), Qt::RightButton, Qt::NoModifier, OnPicTwo({ 110, 10 }));

    EXPECT_FALSE(band->isVisible());
    EXPECT_EQ(Tabs().CurrentIndex(), 1);
    EXPECT_EQ(Tabs().TabText(1), QStringLiteral("Profiles"));
    EXPECT_GT(BlackPixels(PlotArea()->Picture()), 0);

    // Green end circles of radius 2 on both views (no scroll: the same pixels).
    for (const QImage* picture : { &Images().Picture1(), &PicTwo()->Picture() }) {
        EXPECT_TRUE(IsGreen(*picture, { 10, 8 }));
        EXPECT_TRUE(IsGreen(*picture, { 10, 12 }));
        EXPECT_TRUE(IsGreen(*picture, { 110, 8 }));
        EXPECT_TRUE(IsGreen(*picture, { 110, 12 }));
        // Samples of image point (50, 388) and (50, 387), the rows read.
        EXPECT_TRUE(IsGreen(*picture, { 48, 10 }));
        EXPECT_TRUE(IsGreen(*picture, { 48, 11 }));
    }
}

TEST_F(Profiles, DragOnAScrolledWindowTakesTheScrollIntoAccount)
{
    // Larger than the 800 x 600 screen allows: both scroll bars.
    const std::string name = dir.File("large.fts");
    test::WritePhysicalImage(name, 700, 560, Field);
    OpenThroughMenu(QString::fromStdString(name));
    Images().HorizontalScrollBar()->setValue(50);
    Images().VerticalScrollBar()->setValue(30);
    ASSERT_EQ(Images().Scroll().h, 50);
    ASSERT_EQ(Images().Scroll().v, 30);

    Type("txtprofwidth", QStringLiteral("0"));
    Drag({ 10, 10 }, { 110, 10 });
    // From image point (62, 518) to (112, 518): on row 518, columns 61 + i
    // and 62 + i.
    dialogs.AnswerInput(File("scrolled.txt"));
    Click("btnprofdata");
    EXPECT_EQ(FileText(File("scrolled.txt")), DataLines(100, 51800 + 62.5));
    // The start circle on the scrolled view and at its image point on the
    // full-size picture.
    EXPECT_TRUE(IsGreen(PicTwo()->Picture(), { 10, 8 }));
    EXPECT_TRUE(IsGreen(Images().Picture1(), { 60, 38 }));
}

TEST_F(Profiles, LineShorterThanOnePixelGivesNoProfileAndNoInputBox)
{
    // The view's own events, between pixels as a mouse gives them.
    emit PicTwo()->MouseDown(Qt::RightButton, Qt::NoModifier, QPointF(10, 10));
    emit PicTwo()->MouseUp(Qt::RightButton, Qt::NoModifier, QPointF(10.9, 10));
    EXPECT_EQ(BlackPixels(PlotArea()->Picture()), 0);
    // The end circles stay.
    EXPECT_TRUE(IsGreen(PicTwo()->Picture(), { 10, 8 }));

    Click("btnprofplot");
    EXPECT_EQ(BlackPixels(PlotArea()->Picture()), 0);
    Click("btnprofdata");
    EXPECT_TRUE(Shown().empty());
}

TEST_F(Profiles, PlotsAccumulateUntilClearProfile)
{
    Drag({ 10, 10 }, { 110, 10 });
    const QImage rising = PlotArea()->Picture();
    const int risingBlack = BlackPixels(rising);
    ASSERT_GT(risingBlack, 0);

    // The same line backwards falls: a different curve over the first one.
    Drag({ 110, 10 }, { 10, 10 });
    // Inside the frame the first curve stays; the axes' numbers are the last plot's.
    const QImage both = PlotArea()->Picture();
    for (int y = rising.height() / 4; y < rising.height() * 3 / 4; ++y) {
        for (int x = rising.width() / 4; x < rising.width() * 3 / 4; ++x) {
            if (rising.pixel(x, y) == qRgb(0, 0, 0)) {
                ASSERT_EQ(both.pixel(x, y), qRgb(0, 0, 0)) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(BlackPixels(both), risingBlack + 50);

    Click("btnprofclear");
    EXPECT_EQ(BlackPixels(PlotArea()->Picture()), 0);
    Click("btnprofplot");
    EXPECT_GT(BlackPixels(PlotArea()->Picture()), 0);
}

TEST_F(Profiles, FrameRunsAtFivePerCentOutsideTheDataWithNumberedAxesAndTheReadoutUsesThePlotsCoordinates)
{
    Drag({ 10, 10 }, { 110, 10 });
    const QImage& plot = PlotArea()->Picture();
    const int w = plot.width();
    const int h = plot.height();
    const auto blackRun = [&](int x0, int y0, int dx, int dy) {
        int run = 0;
        for (int x = x0, y = y0; plot.valid(x, y) && plot.pixel(x, y) == qRgb(0, 0, 0); x += dx, y += dy)
            ++run;
        return run;
    };
    // The frame: the outermost long black lines.
    int left = 0;
    while (left < w && blackRun(left, h / 2, 0, -1) + blackRun(left, h / 2, 0, 1) < h / 3)
        ++left;
    int right = w - 1;
    while (right > left && blackRun(right, h / 2, 0, -1) + blackRun(right, h / 2, 0, 1) < h / 3)
        --right;
    int top = 0;
    while (top < h && blackRun(w / 2, top, -1, 0) + blackRun(w / 2, top, 1, 0) < w / 3)
        ++top;
    int bottom = h - 1;
    while (bottom > top && blackRun(w / 2, bottom, -1, 0) + blackRun(w / 2, bottom, 1, 0) < w / 3)
        --bottom;
    ASSERT_LT(left + w / 3, right);
    ASSERT_LT(top + h / 3, bottom);
    // Numbers beside the frame: the values to its left, the positions below it.
    const auto inked = [&](const QRect& rect) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (plot.valid(x, y) && qGray(plot.pixel(x, y)) < 128)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(QRect(0, top, left - 4, bottom - top)));
    EXPECT_TRUE(inked(QRect(left, bottom + 5, right - left, h - bottom - 5)));

    // At the frame's corners the readout gives the points 5 % outside the
    // data: points -5 and 105 of 100, values a twentieth of the range
    // beyond the largest and the smallest.
    const double rows = 100.0 * (387 + 388 + 388) / 3.0;
    const double largest = rows + 111.5;
    const double smallest = rows + 12.5;
    const auto readAt = [&](int x, int y) {
        QTest::mouseMove(PlotArea(), PlotArea()->contentsRect().topLeft() + QPoint(x, y));
        return std::pair { Find<QLineEdit>(QStringLiteral("txtprofstatusX"))->text().toDouble(),
            Find<QLineEdit>(QStringLiteral("txtprofstatusY"))->text().toDouble() };
    };
    const auto [x1, y1] = readAt(left, top);
    EXPECT_NEAR(x1, -5.0, 1.0);
    EXPECT_NEAR(y1, 1.05 * largest - 0.05 * smallest, 2.0);
    const auto [x2, y2] = readAt(right, bottom);
    EXPECT_NEAR(x2, 105.0, 1.0);
    EXPECT_NEAR(y2, 1.05 * smallest - 0.05 * largest, 2.0);
}

TEST_F(Profiles, SaveDataUsesTheWidthAndLogSettingInForceWhenSaving)
{
    Drag({ 10, 10 }, { 110, 10 });
    ASSERT_EQ(Shown().size(), 0U);

    // Width 0: the two samples on the line, row 388 only.
    Type("txtprofwidth", QStringLiteral("0"));
    dialogs.AnswerInput(File("narrow.txt"));
    Click("btnprofdata");
    ASSERT_EQ(Shown().size(), 1U);
    EXPECT_EQ(Shown()[0].kind, test::ShownDialog::Kind::Input);
    EXPECT_EQ(Shown()[0].text, QStringLiteral("Enter filename of data file to save press CANCEL to avoid saving."));
    EXPECT_EQ(Shown()[0].title, QStringLiteral("SAVE Result"));
    EXPECT_EQ(Shown()[0].defaultText, QString());
    EXPECT_EQ(FileText(File("narrow.txt")), DataLines(100, 38800 + 12.5));

    // Log Profile: ln 38812.5 = 10.566..., every point 10.5.
    Find<QCheckBox>(QStringLiteral("profcheck"))->setChecked(true);
    dialogs.AnswerInput(File("log.txt"));
    Click("btnprofdata");
    std::string logLines;
    for (int i = 1; i <= 100; ++i)
        logLines += QStringLiteral(" %1").arg(i).leftJustified(14, QLatin1Char(' ')).toStdString() + " 10.5 \r\n";
    EXPECT_EQ(FileText(File("log.txt")), logLines);
}

TEST_F(Profiles, CancelWritesNothing)
{
    Drag({ 10, 10 }, { 110, 10 });
    const QStringList before = QDir(File("")).entryList(QDir::Files);
    dialogs.AnswerInput(std::nullopt);
    Click("btnprofdata");
    dialogs.AnswerInput(std::nullopt);
    Click("btnprofbmp");
    ASSERT_EQ(Shown().size(), 2U);
    EXPECT_EQ(Shown()[1].text, QStringLiteral("Enter filename of bitmap being saved or press CANCEL to avoid saving."));
    EXPECT_EQ(Shown()[1].title, QStringLiteral("SAVE BMP"));
    EXPECT_EQ(QDir(File("")).entryList(QDir::Files), before);
}

TEST_F(Profiles, SaveBmpWritesThePlotAreaAsDrawn)
{
    Drag({ 10, 10 }, { 110, 10 });
    Drag({ 110, 10 }, { 10, 10 });
    dialogs.AnswerInput(QStringLiteral("plot.bmp"));
    Click("btnprofbmp");
    // A relative name lands in the program's folder, the current one.
    const QImage saved(File("plot.bmp"), "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), PlotArea()->Picture().convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace lumvane
