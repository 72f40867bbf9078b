#include "support/Form1Fixture.h"

#include "core/display/LevelPalette.h"
#include "core/results/ResultsTable.h"
#include "gui/display/ImageArea.h"
#include "gui/display/PictureView.h"

#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cstdlib>
#include <filesystem>

namespace lumvane {
namespace {

using test::Form1Fixture;

using Rows = std::vector<std::vector<int>>;

class ImageCommands : public Form1Fixture {
protected:
    void Open(int width, int height, const test::PhysicalImage& physical)
    {
        const std::string name = dir.File("image" + std::to_string(++m_files) + ".fts");
        test::WritePhysicalImage(name, width, height, physical);
        OpenThroughMenu(QString::fromStdString(name));
    }

    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

    // IMG's physical counts, rows from the top (y = H) down.
    Rows Img() const
    {
        const ImagePlane& img = form->RunSession().store.img;
        Rows rows;
        for (int y = img.Height(); y >= 1; --y) {
            rows.emplace_back();
            for (int x = 1; x <= img.Width(); ++x)
                rows.back().push_back(Physical(img.At(x, y)));
        }
        return rows;
    }

    void SetCuts(const QString& black, const QString& white)
    {
        Find<QLineEdit>("txtmin")->setText(black);
        Find<QLineEdit>("txtmax")->setText(white);
    }
    std::pair<QString, QString> Cuts() const
    {
        return { Find<QLineEdit>("txtmin")->text(), Find<QLineEdit>("txtmax")->text() };
    }

    const QImage& FullSize() const { return Images().Picture1(); }
    const QImage& Visible() const { return Images().PicTwo()->Picture(); }

private:
    int m_files = 0;
};

std::uint32_t LevelColour(int level)
{
    return PackedColour(kLevelPalette[static_cast<std::size_t>(level)]);
}

TEST_F(ImageCommands, FlipsMirrorImgFromTheirButtonsAndMenuItems)
{
    // Rows (1 2 3) at y = 2 and (4 5 6) at y = 1.
    Open(3, 2, [](int x, int y) { return y == 2 ? x : 3 + x; });
    ASSERT_EQ(Img(), (Rows { { 1, 2, 3 }, { 4, 5, 6 } }));
    const auto cuts = Cuts();

    Click("btnFlipHor");
    EXPECT_EQ(Img(), (Rows { { 3, 2, 1 }, { 6, 5, 4 } }));
    Trigger("mnuimagehor");
    EXPECT_EQ(Img(), (Rows { { 1, 2, 3 }, { 4, 5, 6 } }));
    Click("btnFlipVer");
    EXPECT_EQ(Img(), (Rows { { 4, 5, 6 }, { 1, 2, 3 } }));
    Trigger("mnuimagever");
    EXPECT_EQ(Img(), (Rows { { 1, 2, 3 }, { 4, 5, 6 } }));
    // The cells outside the image proper stay 0; the cuts stay as they were.
    EXPECT_EQ(form->RunSession().store.img.At(0, 1), 0);
    EXPECT_EQ(form->RunSession().store.img.At(1, 0), 0);
    EXPECT_EQ(Cuts(), cuts);
}

TEST_F(ImageCommands, FlipsLeaveRememberedStarPositionsWhereTheyWere)
{
    // A star at (30, 20) on a flat sky, remembered as St1.
    Open(60, 60, [](int x, int y) { return 1000 + (std::abs(x - 30) + std::abs(y - 20) <= 2 ? 5000 : 0); });
    Photometry().Picture1_MouseDown(Qt::LeftButton, {}, QPointF(30, 20));
    PressStar(0);
    const ResultsTable& results = form->RunSession().results;
    const int row = ResultsTable::PositionRow(2); // where file 1 stores St1 for the next file
    const float x = results.Cell(ResultsTable::NetColumn(0), row);
    const float y = results.Cell(ResultsTable::NetColumn(0) + 1, row);
    ASSERT_NEAR(x, 30.0F, 2.0F); // the centre the search settled on
    ASSERT_NEAR(y, 20.0F, 2.0F);

    Click("btnFlipHor");
    Click("btnFlipVer");
    EXPECT_EQ(results.Cell(ResultsTable::NetColumn(0), row), x);
    EXPECT_EQ(results.Cell(ResultsTable::NetColumn(0) + 1, row), y);
    EXPECT_EQ(form->RunSession().lastStar.centreX, x);
    EXPECT_EQ(form->RunSession().lastStar.centreY, y);
}

TEST_F(ImageCommands, FlipsReplotThePictureWithTheCutsInForce)
{
    // 41 x 30 with the cuts 1000 and 2500: image point (x, y) draws in level
    // x mod 16 on rows below 15, and (x + 5) mod 16 above.
    auto level = [](int x, int y) { return (x + (y > 15 ? 5 : 0)) % 16; };
    Open(41, 30, [&](int x, int y) { return 1050 + 100 * level(x, y); });
    SetCuts("1000", "2500");
    Trigger("mnurep");
    // Drawing pixel (x - 2, 28 - y) shows image point (x, y).
    auto shown = [&](int x, int y) { return FullSize().pixel(x - 2, 28 - y); };
    ASSERT_EQ(shown(5, 3), LevelColour(5));

    Click("btnFlipHor");
    EXPECT_EQ(shown(3, 3), LevelColour(level(39, 3)));
    EXPECT_EQ(Visible(), FullSize());

    Trigger("mnuimagever");
    EXPECT_EQ(shown(10, 3), LevelColour(level(32, 28)));
    EXPECT_EQ(StatusText(4), "Ready");
}

TEST_F(ImageCommands, NegativeExchangesTheCutTextsAndInvertsThePicture)
{
    // Physical 150 at the left, 900 at the right.
    Open(40, 20, [](int x, int) { return x <= 20 ? 150 : 900; });
    SetCuts("200", "700");
    Trigger("mnurep");
    ASSERT_EQ(FullSize().pixel(5, 5), LevelColour(0));
    ASSERT_EQ(FullSize().pixel(30, 5), LevelColour(15));

    Click("btnNegative");
    EXPECT_EQ(Cuts(), std::make_pair(QString("700"), QString("200")));
    EXPECT_EQ(FullSize().pixel(5, 5), LevelColour(15));
    EXPECT_EQ(FullSize().pixel(30, 5), LevelColour(0));
    EXPECT_EQ(Visible(), FullSize());
    // IMG itself is unchanged.
    EXPECT_EQ(Physical(form->RunSession().store.img.At(3, 3)), 150);

    Trigger("mnuimageneg");
    EXPECT_EQ(Cuts(), std::make_pair(QString("200"), QString("700")));
    EXPECT_EQ(FullSize().pixel(5, 5), LevelColour(0));
}

TEST_F(ImageCommands, SaveBmpWritesTheVisibleWindowWithItsMarksAfterScrolling)
{
    Open(1000, 700, [](int x, int y) { return 1050 + 100 * ((x + 3 * y) % 16); });
    SetCuts("1000", "2500");
    Trigger("mnurep");
    Find<QScrollBar>("hsbScroll")->setValue(100);
    Find<QScrollBar>("vsbScroll")->setValue(50);
    {
        QPainter painter(&Images().PicTwo()->Picture());
        painter.fillRect(QRect(45, 25, 10, 10), QColor(1, 2, 3));
    }
    const QString name = File("view.bmp");
    dialogs.AnswerInput(name);
    Trigger("mnubmp");

    ASSERT_EQ(dialogs.Shown().size(), 2U);
    const test::ShownDialog& asked = dialogs.Shown().back();
    EXPECT_EQ(asked.kind, test::ShownDialog::Kind::Input);
    EXPECT_EQ(asked.title, "SAVE BMP");
    EXPECT_EQ(asked.text, "Enter filename of bitmap being saved or press CANCEL to avoid saving.");
    EXPECT_EQ(asked.defaultText, "");

    const QImage saved(name, "BMP");
    ASSERT_FALSE(saved.isNull());
    const QSize visible = Visible().size();
    ASSERT_LT(visible.width(), 996);
    EXPECT_EQ(saved.size(), visible);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Visible());
    EXPECT_EQ(saved.pixel(50, 30), qRgb(1, 2, 3));
    // Away from the mark it is the full-size picture's window at (100, 50).
    const QSize belowMark = visible - QSize(0, 100);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32).copy(QRect(QPoint(0, 100), belowMark)),
        FullSize().copy(QRect(QPoint(100, 150), belowMark)));
}

TEST_F(ImageCommands, CancelOrAnEmptyNameWritesNothing)
{
    Open(300, 200, [](int x, int) { return 100 * x; });
    const auto filesNow = [&] {
        return std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator());
    };
    const auto before = filesNow();
    dialogs.AnswerInput(std::nullopt);
    Trigger("mnubmp");
    dialogs.AnswerInput(QString());
    Trigger("mnubmp");
    EXPECT_EQ(filesNow(), before);
    EXPECT_EQ(dialogs.Shown().size(), 3U); // the open dialog and the two input boxes
}

TEST_F(ImageCommands, SaveBmpAddsTheExtensionAsksBeforeReplacingAndSaysWhereTheFileWent)
{
    Open(300, 200, [](int x, int) { return 100 * x; });
    const QString programFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path().string())));
    // A name typed without an extension, from the current folder.
    dialogs.AnswerInput(QStringLiteral("night view"));
    Trigger("mnubmp");
    const QString saved = File("night view.bmp");
    EXPECT_EQ(QImage(saved, "BMP").convertToFormat(QImage::Format_RGB32), Visible());
    EXPECT_EQ(StatusText(4), "Saved " + saved);

    // The same name again: replaced only after Yes to the question.
    test::WriteFileBytes(saved.toStdString(), "kept");
    for (const MessageAnswer answer : { MessageAnswer::No, MessageAnswer::Yes }) {
        dialogs.AnswerInput(QStringLiteral("night view.bmp"));
        dialogs.AnswerMessage(answer);
        Trigger("mnubmp");
        const test::ShownDialog& question = dialogs.Shown().back();
        EXPECT_EQ(question.text, saved + " already exists. Do you want to replace it?");
        EXPECT_EQ(question.title, "SAVE BMP");
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
        EXPECT_EQ(test::ReadFileBytes(saved.toStdString()) == "kept", answer == MessageAnswer::No);
    }
    QDir::setCurrent(programFolder);
}

} // namespace
} // namespace lumvane
