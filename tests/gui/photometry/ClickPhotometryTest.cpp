#include "PhotometryFixture.h"

#include "core/common/NumberText.h"
#include "core/photometry/ClickPhotometry.h"
#include "core/photometry/StarCentring.h"
#include "gui/photometry/ViewMarks.h"

#include <QScrollBar>

#include <cmath>

namespace lumvane {
namespace {

using test::kBrightStar;
using test::kEmptySky;
using test::kFaintStar;
using test::kGaussianStar;
using test::kSkyHeight;

class ClickPhotometry : public test::PhotometryFixture {
protected:
    void SetUp() override
    {
        OpenSky();
        // The circles' colours are palette levels too: the rendered sky holds
        // them only on a few star pixels, so rings of them are circles.
        const QRect all(0, 0, FullSize().width(), FullSize().height());
        ASSERT_LE(PixelsIn(FullSize(), all, kClickCircleColour), 5);
        ASSERT_LE(PixelsIn(FullSize(), all, kCentreCircleColour), 5);
    }

    const LastStar& Last() { return form->RunSession().lastStar; }

    /// The full-size picture's pixel that shows image point (x, y).
    ViewPoint FullSizePixel(ViewPoint image) const { return ViewPointOfImage(image, {}, kSkyHeight); }

    /// The message boxes shown since the start of the test.
    std::vector<test::ShownDialog> MessageBoxes() const
    {
        std::vector<test::ShownDialog> boxes;
        for (const test::ShownDialog& shown : dialogs.Shown())
            if (shown.kind == test::ShownDialog::Kind::Message)
                boxes.push_back(shown);
        return boxes;
    }
};

TEST_F(ClickPhotometry, LeftClickOnAStarShowsTheCoreMeasurementAndDrawsBothDiaphragms)
{
    const ViewPoint click { 60, 31 };
    ClickOnView(click);

    // The same star measured by the core with the options in force.
    const StarMeasurement star = MeasureStarPeak(form->RunSession().store.img, 60.0F, 31.0F, 8, 2, {});
    ASSERT_EQ(star.status, StarStatus::Found);
    EXPECT_EQ(Text("lblsum").toStdString(), NumberText(star.starNet));
    EXPECT_EQ(Text("lblpx").toStdString(), NumberText(static_cast<float>(star.diaphragmPixels)));
    EXPECT_EQ(
        Text("lblsp").toStdString(), NumberText(std::floor(star.starNet / static_cast<float>(star.diaphragmPixels))));
    EXPECT_EQ(Last().centreX, star.centreX);
    EXPECT_EQ(Last().centreY, star.centreY);
    EXPECT_EQ(Last().net[0], star.starNet);
    // Within the search square around the star (the whole star fits the
    // diaphragm at several offsets; the first of them wins).
    EXPECT_NEAR(star.centreX, kGaussianStar.x, 2.0);
    EXPECT_NEAR(star.centreY, kGaussianStar.y, 2.0);
    // No St1 yet: the magnitude waits for it, and says so.
    EXPECT_EQ(Text("lblmv_0"), QStringLiteral("-"));
    EXPECT_EQ(Find<QLineEdit>("lblmv_0")->toolTip(), QStringLiteral("St1 must be measured at this radius"));
    EXPECT_EQ(Text("lbleps"), QString());

    // Red at the click and cyan at the centre, on the full-size picture and
    // on the visible one.
    const ViewPoint centre { star.centreX, star.centreY };
    const QImage& visible = PicTwo()->Picture();
    for (const QImage* picture : { &FullSize(), &visible }) {
        EXPECT_GT(RingPixels(*picture, FullSizePixel(click), 8, kClickCircleColour), 10);
        EXPECT_GT(RingPixels(*picture, FullSizePixel(centre), 8, kCentreCircleColour), 20);
    }
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(ClickPhotometry, MagnitudeIsRelativeToSt1RememberedOnThisFile)
{
    Type("mtxtm1", QStringLiteral("10"));
    ClickOnView(kBrightStar);
    EXPECT_EQ(Text("lblsum"), QStringLiteral(" 10000"));
    QTest::mouseClick(Find<QWidget>("btnstar_0"), Qt::LeftButton);
    EXPECT_EQ(Text("lblst1"), QStringLiteral(" 10000"));
    // St1 itself now has its magnitude.
    EXPECT_EQ(Text("lblmv_0"), QStringLiteral(" 10"));
    EXPECT_EQ(Find<QLineEdit>("lblmv_0")->toolTip(), QString());

    // 10 - 2.5 log10(2500 / 10000 + 0.000001) + 0.00001 = 11.50516, truncated.
    ClickOnView(kFaintStar);
    EXPECT_EQ(Text("lblsum"), QStringLiteral(" 2500"));
    EXPECT_EQ(Text("lblmv_0"), QStringLiteral(" 11.505"));
    // The click hit the star: the counts at the click are the star's.
    EXPECT_EQ(Text("lbleps"), QStringLiteral(" 11.505"));
    EXPECT_FALSE(Text("lblepssum_0").isEmpty());

    // The patrol driver's path: image coordinates, the addend 0.0001.
    Photometry().Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, { 80.0, 50.0 });
    EXPECT_EQ(Text("lblmv_0"), QStringLiteral(" 11.505"));
    EXPECT_EQ(Last().net[0], 2500.0F);

    // Empty sky after the star: nothing of the star is left in the fields.
    dialogs.AnswerMessage(MessageAnswer::Ok); // no star found
    ClickOnView(kEmptySky);
    for (const char* field : { "lblmv_0", "lbleps", "lblepssum_0" })
        EXPECT_EQ(Text(field), QString()) << field;
    EXPECT_EQ(Text("lblsum"), QStringLiteral(" 0"));
}

TEST_F(ClickPhotometry, ShiftClickSumsTheFirstDiaphragmWithoutCentringOrBackground)
{
    Type("txtr_0", QStringLiteral("3"));
    ClickOnView(kBrightStar, Qt::LeftButton, Qt::ShiftModifier);
    // 29 pixels of sky and the star's 10000 counts.
    EXPECT_EQ(Text("lblpx"), QStringLiteral(" 29"));
    EXPECT_EQ(Text("lblsum"), QStringLiteral(" 39000"));
    EXPECT_EQ(Text("lblsp"), QStringLiteral(" 1344"));
    EXPECT_EQ(Last().centreX, 0.0F);
    EXPECT_GT(RingPixels(FullSize(), FullSizePixel(kBrightStar), 3, kClickCircleColour), 5);
    EXPECT_EQ(RingPixels(FullSize(), FullSizePixel(kBrightStar), 3, kCentreCircleColour), 0);
}

TEST_F(ClickPhotometry, RightButtonMeasuresNothing)
{
    const QRect all(0, 0, FullSize().width(), FullSize().height());
    const int clickColour = PixelsIn(FullSize(), all, kClickCircleColour);
    const int centreColour = PixelsIn(FullSize(), all, kCentreCircleColour);
    ClickOnView(kBrightStar, Qt::RightButton);
    EXPECT_EQ(Text("lblsum"), QString());
    EXPECT_EQ(Last().centreX, 0.0F);
    // No diaphragm circles (the press marks a profile line's ends instead).
    EXPECT_EQ(PixelsIn(FullSize(), all, kClickCircleColour), clickColour);
    EXPECT_EQ(PixelsIn(FullSize(), all, kCentreCircleColour), centreColour);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(ClickPhotometry, AFailedMeasurementIsToldOncePerRadiusWhileNoPatrolRuns)
{
    // On an image of zero counts every annulus background is 0: a corner.
    const struct {
        bool zeroImage;
        ViewPoint click;
        const char* text;
        const char* title;
        MessageIcon icon;
    } cases[] = {
        { false, kEmptySky, "No star is found here or the diaphragm radius is very large!", "ERROR",
            MessageIcon::Critical },
        { true, { 30, 30 }, "This star is on the corner!", "Lumvane", MessageIcon::None },
    };
    Type("txtr_2", QStringLiteral("5"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.zeroImage)
            OpenImage(60, 60, [](int, int) { return 0; });
        // The palette has a cyan level of its own: count what the render drew.
        const QRect all(0, 0, FullSize().width(), FullSize().height());
        const int renderedCyan = PixelsIn(FullSize(), all, kCentreCircleColour);
        const std::size_t before = MessageBoxes().size();
        dialogs.AnswerMessage(MessageAnswer::Ok);
        dialogs.AnswerMessage(MessageAnswer::Ok);
        ClickOnView(c.click);
        const std::vector<test::ShownDialog> boxes = MessageBoxes();
        ASSERT_EQ(boxes.size(), before + 2);
        for (std::size_t i = before; i < boxes.size(); ++i) {
            EXPECT_EQ(boxes[i].text, QString::fromLatin1(c.text));
            EXPECT_EQ(boxes[i].title, QString::fromLatin1(c.title));
            EXPECT_EQ(boxes[i].icon, c.icon);
            EXPECT_EQ(boxes[i].buttons, MessageButtons::Ok);
        }
        // The zero counts of a failed measurement are shown; no cyan circle is drawn.
        EXPECT_EQ(Text("lblsum"), QStringLiteral(" 0"));
        EXPECT_EQ(Last().centreX, 0.0F);
        EXPECT_EQ(PixelsIn(FullSize(), all, kCentreCircleColour), renderedCyan);
    }
}

TEST_F(ClickPhotometry, St1MagnitudeBeyondSinglePrecisionEndsAtTheTrap)
{
    Type("mtxtm1", QStringLiteral("1e39"));
    dialogs.AnswerMessage(MessageAnswer::Ok);
    ClickOnView(kBrightStar);
    ASSERT_EQ(MessageBoxes().size(), 1U);
    EXPECT_EQ(MessageBoxes()[0].text, QStringLiteral("Error in MouseDown procedure!"));
    EXPECT_EQ(MessageBoxes()[0].title, QStringLiteral("ERROR"));
    EXPECT_EQ(MessageBoxes()[0].icon, MessageIcon::Critical);
    // The counts were shown before the trap.
    EXPECT_EQ(Text("lblsum"), QStringLiteral(" 10000"));
}

TEST_F(ClickPhotometry, ScrolledViewClickFindsTheImagePointAndMarksStayWhenScrolling)
{
    // 700 x 600 on the 800 x 600 screen: both scroll bars.
    constexpr int kWidth = 700;
    constexpr int kHeight = 600;
    OpenImage(kWidth, kHeight, [](int x, int y) { return x == 400 && y == 300 ? 11000 : 1000; });
    QScrollBar* h = Find<QScrollBar>("hsbScroll");
    QScrollBar* v = Find<QScrollBar>("vsbScroll");
    ASSERT_GT(h->maximum(), 100);
    ASSERT_GT(v->maximum(), 60);
    h->setValue(100);
    v->setValue(60);

    ClickOnView({ 400, 300 });
    EXPECT_EQ(Text("lblsum"), QStringLiteral(" 10000"));
    // Peak search: every offset holds the star; the first, (-2, -2), wins.
    EXPECT_EQ(Last().centreX, 398.0F);
    EXPECT_EQ(Last().centreY, 298.0F);
    const ViewPoint centre { 398, 298 };
    auto visibleCentre = [&] { return ViewPointOfImage(centre, Images().Scroll(), kHeight); };
    EXPECT_GT(RingPixels(PicTwo()->Picture(), visibleCentre(), 8, kCentreCircleColour), 20);

    // Scrolling copies the full-size picture, which holds the circle too.
    h->setValue(130);
    EXPECT_GT(RingPixels(PicTwo()->Picture(), visibleCentre(), 8, kCentreCircleColour), 20);
}

} // namespace
} // namespace lumvane
