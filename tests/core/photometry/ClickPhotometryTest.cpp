#include "core/photometry/ClickPhotometry.h"

#include "core/common/NumberText.h"
#include "core/results/RememberStar.h"
#include "support/SyntheticSky.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumvane {
namespace {

using test::AddStar;
using test::SetPhysical;
using test::UniformImage;

StarMeasurement Star(float net, float clickNet, float error)
{
    StarMeasurement star;
    star.status = StarStatus::Found;
    star.starNet = net;
    star.clickNet = clickNet;
    star.magError = error;
    return star;
}

TEST(RelativeMagnitudes, WorkedExamples)
{
    const struct {
        const char* what;
        float st1Net, net, clickNet, error, st1Magnitude;
        double addend;
        double magnitude; // worked out by hand
        const char *magnitudeText, *clickMagnitudeText, *errorText;
    } cases[] = {
        // 10 - 2.5 log10(0.250001) + 0.0001 = 11.5052456
        { "full view, St1 10000, star 2500", 10000, 2500, 2500, 0.0123F, 10, kFullViewAddend, 11.5052456, " 11.505",
            " 11.505", " .012" },
        // The click outside the centre holds a tenth: mc = mv + 2.5.
        { "click net a tenth", 10000, 2500, 250, 0.0129999F, 10, kFullViewAddend, 11.5052456, " 11.505", " 14.005",
            " .012" },
        // 9.99995 - 0.0000011 + d crosses 10 with one addend and not the other.
        { "full view crosses 10", 5000, 5000, 5000, 1.0F, 9.99995F, kFullViewAddend, 10.0000489, " 10", " 10", " 1" },
        { "scrolled view stays below", 5000, 5000, 5000, 1.0F, 9.99995F, kScrolledViewAddend, 9.9999589, " 9.999",
            " 9.999", " 1" },
        // No St1 magnitude typed: instrumental offsets from St1.
        { "brighter than St1", 1000, 10000, 10000, 0.001F, 0, kFullViewAddend, -2.4999001, "-2.5", "-2.5", " .001" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto result = RelativeMagnitudesOf(Star(c.net, c.clickNet, c.error), c.st1Net, c.st1Magnitude, c.addend);
        ASSERT_TRUE(result.has_value());
        EXPECT_NEAR(result->magnitude, c.magnitude, 2e-6);
        EXPECT_EQ(result->magnitudeText, c.magnitudeText);
        EXPECT_EQ(result->clickMagnitudeText, c.clickMagnitudeText);
        EXPECT_EQ(result->errorText, c.errorText);
    }
}

TEST(RelativeMagnitudes, NeedPositiveCountsForSt1TheStarAndTheClick)
{
    EXPECT_FALSE(RelativeMagnitudesOf(Star(2500, 2500, 0.01F), 0, 10, kFullViewAddend));
    EXPECT_FALSE(RelativeMagnitudesOf(Star(2500, 2500, 0.01F), -5, 10, kFullViewAddend));
    EXPECT_FALSE(RelativeMagnitudesOf(Star(0, 2500, 0.01F), 10000, 10, kFullViewAddend));
    EXPECT_FALSE(RelativeMagnitudesOf(Star(2500, 0, 0.01F), 10000, 10, kFullViewAddend));
    EXPECT_FALSE(RelativeMagnitudesOf(Star(2500, -1, 0.01F), 10000, 10, kFullViewAddend));
    EXPECT_TRUE(RelativeMagnitudesOf(Star(2500, 1, 0.01F), 10000, 10, kFullViewAddend));
}

class ClickOnStar : public ::testing::Test {
protected:
    ClickOnStar()
        : img(UniformImage(80, 60, 1000))
    {
        AddStar(img, 30, 30, 60'000, 1.5);
    }

    ClickResult Click(float x, float y, std::array<double, 4> radii)
    {
        settings.radii = radii;
        return MeasureClick(img, x, y, settings, st1Net, last);
    }

    ImagePlane img;
    ClickSettings settings;
    std::array<float, 4> st1Net {};
    LastStar last;
};

TEST_F(ClickOnStar, FillsTheCountFieldsWithTheMeasurementOfEachRadius)
{
    const ClickResult result = Click(31, 29, { 4, 3, 0, 0 });
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const DiaphragmResult& d = result.diaphragms[static_cast<std::size_t>(k)];
        const int radius = 4 - k;
        const StarMeasurement expected = MeasureStarPeak(img, 31, 29, radius, 2, PhotometryOptions {});
        ASSERT_EQ(d.outcome, DiaphragmOutcome::Measured);
        EXPECT_EQ(d.radius, radius);
        EXPECT_EQ(d.measurement.status, StarStatus::Found);
        EXPECT_EQ(d.measurement.centreX, 30.0F);
        EXPECT_EQ(d.measurement.centreY, 30.0F);
        EXPECT_EQ(d.measurement.starNet, expected.starNet);
        EXPECT_EQ(d.counts.sum, NumberText(expected.starNet));
        EXPECT_EQ(d.counts.pixels, NumberText(expected.diaphragmPixels));
        EXPECT_EQ(d.counts.perPixel,
            NumberText(static_cast<std::int64_t>(std::floor(expected.starNet / expected.diaphragmPixels))));
        EXPECT_FALSE(d.magnitudes.has_value()); // St1 not remembered on this file
        EXPECT_EQ(last.net[static_cast<std::size_t>(k)], expected.starNet);
        EXPECT_EQ(last.error[static_cast<std::size_t>(k)], expected.magError);
    }
    EXPECT_EQ(result.diaphragms[0].counts.pixels, " 49"); // r = 4
    EXPECT_EQ(result.FinalCounts(), result.diaphragms[1].counts);
    EXPECT_EQ(last.centreX, 30.0F);
    EXPECT_EQ(last.centreY, 30.0F);
    const std::vector<ClickCircle> circles {
        { 31, 29, 4, CircleKind::Click },
        { 30, 30, 4, CircleKind::Centre },
        { 30, 30, 3, CircleKind::Centre },
    };
    EXPECT_EQ(result.circles, circles);
    EXPECT_FALSE(result.edgeStop.has_value());
    EXPECT_FALSE(result.trapped);
}

TEST_F(ClickOnStar, AnEmptyOrZeroRadiusBoxSkipsItsIndexAndKeepsItsEarlierResults)
{
    last.net = { 1, 222, 3, 444 };
    last.error = { 0.1F, 0.222F, 0.3F, 0.444F };
    // "0.5" passes the box's limit check but floors to 0.
    const ClickResult result = Click(30, 30, { 8.9, 0, 5, 0.5 });
    EXPECT_EQ(result.diaphragms[0].outcome, DiaphragmOutcome::Measured);
    EXPECT_EQ(result.diaphragms[0].radius, 8);
    EXPECT_EQ(result.diaphragms[1].outcome, DiaphragmOutcome::Skipped);
    EXPECT_EQ(result.diaphragms[2].outcome, DiaphragmOutcome::Measured);
    EXPECT_EQ(result.diaphragms[2].radius, 5);
    EXPECT_EQ(result.diaphragms[3].outcome, DiaphragmOutcome::Skipped);
    EXPECT_EQ(last.net[1], 222.0F);
    EXPECT_EQ(last.error[1], 0.222F);
    EXPECT_EQ(last.net[3], 444.0F);
    EXPECT_EQ(last.net[0], result.diaphragms[0].measurement.starNet);
    EXPECT_EQ(last.net[2], result.diaphragms[2].measurement.starNet);
    EXPECT_EQ(result.FinalCounts(), result.diaphragms[2].counts);
    EXPECT_EQ(result.circles.size(), 3U); // red and cyan for 8, cyan for 5
}

TEST_F(ClickOnStar, TheLoopStopsAtTheFirstDiaphragmLeavingTheImage)
{
    // Column 6: radius 5 fits (5 <= 6), radius 8 does not; radius 3 after it
    // would fit but is never reached.
    AddStar(img, 7, 30, 30'000, 1.2);
    last.net = { 1, 2, 3, 4 };
    const ClickResult result = Click(6, 30, { 5, 8, 3, 0 });
    EXPECT_EQ(result.diaphragms[0].outcome, DiaphragmOutcome::Measured);
    EXPECT_EQ(result.diaphragms[1].outcome, DiaphragmOutcome::Outside);
    EXPECT_EQ(result.diaphragms[2].outcome, DiaphragmOutcome::NotReached);
    EXPECT_EQ(result.diaphragms[3].outcome, DiaphragmOutcome::NotReached);
    EXPECT_EQ(result.edgeStop, 1);
    EXPECT_NE(last.net[0], 1.0F);
    // What the stop left unmeasured keeps no earlier star's counts; the empty box does.
    EXPECT_EQ(last.net, (std::array<float, 4> { last.net[0], 0, 0, 4 }));
    EXPECT_EQ(last.status[3], MeasureStatus::Unmeasured); // as it was
    EXPECT_EQ(last.status[1], MeasureStatus::Unmeasured);
    EXPECT_EQ(last.status[2], MeasureStatus::Unmeasured);
    EXPECT_EQ(result.FinalCounts(), result.diaphragms[0].counts);
}

TEST_F(ClickOnStar, TheFirstDiaphragmFollowsTheStarAndEachSaysWhatItIsWorth)
{
    // A second star 10 columns off draws the large diaphragm its way.
    AddStar(img, 40, 30, 60'000, 1.5);
    const struct {
        const char* what;
        int saturatedX; ///< a pixel of row 30 marked saturated, 0 for none
        int missingRow; ///< a row marked missing, 0 for none
        MeasureStatus small; ///< r = 3 at (30, 30)
        MeasureStatus large; ///< r = 12
    } cases[] = {
        { "clean", 0, 0, MeasureStatus::Ok, MeasureStatus::Ok },
        { "a saturated pixel in both", 32, 0, MeasureStatus::Saturated, MeasureStatus::Saturated },
        { "one in the large only", 34, 0, MeasureStatus::Ok, MeasureStatus::Saturated },
        { "a row the small annulus reaches missing", 0, 36, MeasureStatus::Unmeasured, MeasureStatus::Unmeasured },
        { "one only the large reaches", 0, 40, MeasureStatus::Ok, MeasureStatus::Unmeasured },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        img.Renew();
        img.SetSaturated(c.saturatedX, 30, c.saturatedX != 0);
        img.SetRowMissing(c.missingRow, c.missingRow != 0);
        const ClickResult result = Click(30, 30, { 3, 12, 0, 0 });
        EXPECT_EQ(result.diaphragms[0].status, c.small);
        EXPECT_EQ(result.diaphragms[1].status, c.large);
        EXPECT_EQ(last.status, (std::array { c.small, c.large, last.status[2], last.status[3] }));
        const StarMeasurement& small = result.diaphragms[0].measurement;
        ASSERT_NE(result.diaphragms[1].measurement.centreX, small.centreX);
        const bool followed = c.small != MeasureStatus::Unmeasured;
        EXPECT_EQ(last.centreX, followed ? small.centreX : 0.0F);
        EXPECT_EQ(last.net[0], followed ? small.starNet : 0.0F);
    }
}

TEST_F(ClickOnStar, DiaphragmsMustFitOnEverySideOfTheImage)
{
    const struct {
        float x, y;
        bool fits;
    } cases[] = {
        { 5, 30, true },
        { 4.99F, 30, false },
        { 75, 30, true },
        { 75.01F, 30, false },
        { 40, 5, true },
        { 40, 4.5F, false },
        { 40, 55, true },
        { 40, 55.5F, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        const ClickResult result = Click(c.x, c.y, { 5, 0, 0, 0 });
        if (c.fits) {
            EXPECT_EQ(result.diaphragms[0].outcome, DiaphragmOutcome::Measured);
            continue;
        }
        EXPECT_EQ(result.diaphragms[0].outcome, DiaphragmOutcome::Outside);
        EXPECT_EQ(result.edgeStop, 0);
        EXPECT_TRUE(result.circles.empty());
        EXPECT_FALSE(result.FinalCounts().has_value());
        EXPECT_EQ(last.net[0], 0.0F);
        EXPECT_EQ(last.centreX, 0.0F);
        EXPECT_EQ(last.clickX, c.x);
    }
}

TEST_F(ClickOnStar, AFailedMeasurementShowsZeroCountsDrawsNoCyanCircleAndLeavesNoCentre)
{
    // Empty sky: the peak search finds nothing.
    last.centreX = 30;
    last.centreY = 30;
    last.net[0] = 5000;
    st1Net = { 10000, 0, 0, 0 };
    const ClickResult result = Click(65, 45, { 4, 0, 0, 0 });
    const DiaphragmResult& d = result.diaphragms[0];
    ASSERT_EQ(d.outcome, DiaphragmOutcome::Measured);
    EXPECT_EQ(d.measurement.status, StarStatus::NotFound);
    EXPECT_EQ(d.counts, (CountTexts { " 0", " 49", " 0" }));
    EXPECT_FALSE(d.magnitudes.has_value());
    EXPECT_EQ(last.centreX, 0.0F);
    EXPECT_EQ(last.centreY, 0.0F);
    EXPECT_EQ(last.net[0], 0.0F);
    const std::vector<ClickCircle> circles { { 65, 45, 4, CircleKind::Click } };
    EXPECT_EQ(result.circles, circles);
    EXPECT_EQ(last.status[0], MeasureStatus::Unmeasured);
    EXPECT_EQ(std::pair(last.clickX, last.clickY), std::pair(65.0F, 45.0F));
}

TEST_F(ClickOnStar, MagnitudesRelativeToSt1ComeOnceSt1IsRememberedOnTheFile)
{
    // St1 four times brighter than the star at (60, 30): about 1.505 magnitudes apart.
    AddStar(img, 60, 30, 15'000, 1.5);
    settings.st1Magnitude = 10;
    ResultsTable table;
    const int file = 1;
    st1Net = St1NetCounts(table, file);

    // Until St1 is remembered its radii wait for it; then St1 shows its own
    // magnitude: 10 - 2.5 log10(1.000001) + 0.0001, floored.
    ClickResult st1 = Click(30, 30, { 8, 6, 0, 0 });
    EXPECT_FALSE(st1.diaphragms[0].magnitudes.has_value());
    EXPECT_EQ(FieldsOfClick(st1).magnitude, (std::array<std::string, 4> { "-", "-", "", "" }));
    ASSERT_TRUE(RememberStar(table, 0, file, StarRecordOf(last, settings.radii)));
    st1Net = St1NetCounts(table, file);
    EXPECT_EQ(st1Net[0], st1.diaphragms[0].measurement.starNet);
    RelateToSt1(st1, st1Net, 10, kFullViewAddend);
    EXPECT_EQ(FieldsOfClick(st1).magnitude, (std::array<std::string, 4> { " 10", " 10", "", "" }));
    EXPECT_EQ(FieldsOfClick(st1).clickMagnitude, " 10");

    // A radius added after St1 was remembered has no St1 counts to go by.
    const ClickResult star = Click(60, 30, { 8, 6, 4, 0 });
    const ClickFields fields = FieldsOfClick(star);
    EXPECT_EQ(fields.magnitude[2], "-");
    EXPECT_EQ(fields.error[2], "");
    EXPECT_EQ(fields.counts, star.diaphragms[2].counts);
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const auto& magnitudes = star.diaphragms[static_cast<std::size_t>(k)].magnitudes;
        ASSERT_TRUE(magnitudes.has_value());
        EXPECT_NEAR(magnitudes->magnitude, 10 + 2.5 * std::log10(4.0), 0.03);
        EXPECT_EQ(*magnitudes,
            *RelativeMagnitudesOf(star.diaphragms[static_cast<std::size_t>(k)].measurement,
                st1Net[static_cast<std::size_t>(k)], 10, kFullViewAddend));
        EXPECT_EQ(fields.magnitude[static_cast<std::size_t>(k)], magnitudes->magnitudeText);
        EXPECT_EQ(fields.error[static_cast<std::size_t>(k)], magnitudes->errorText);
    }
    EXPECT_EQ(fields.clickMagnitude, star.diaphragms[0].magnitudes->clickMagnitudeText);

    // Empty sky next: every field shows what this click measured, nothing of the star.
    const ClickFields sky { { " 0", " 49", " 0" }, "", { "", "", "-", "" }, { "", "", "", "" } };
    EXPECT_EQ(FieldsOfClick(Click(65, 45, { 8, 6, 4, 0 })), sky);

    // Another file has no St1 yet.
    EXPECT_EQ(St1NetCounts(table, file + 1), (std::array<float, 4> {}));
}

TEST_F(ClickOnStar, AnAnnulusFarLargerThanTheImageFindsNoStar)
{
    // At r = 8 the annulus reaches beyond any 16-bit image; at r = 4 it holds
    // so few image pixels that the median filtration drops them all.
    settings.options.annulusOuter = 5000;
    const ClickResult result = Click(30, 30, { 8, 4, 0, 0 });
    EXPECT_FALSE(result.trapped);
    EXPECT_EQ(result.diaphragms[0].outcome, DiaphragmOutcome::Measured);
    EXPECT_EQ(result.diaphragms[0].measurement.status, StarStatus::NotFound);
    EXPECT_EQ(result.diaphragms[1].outcome, DiaphragmOutcome::Measured);
    EXPECT_EQ(result.diaphragms[1].measurement.status, StarStatus::Corner);
    EXPECT_EQ(result.circles.size(), 1U); // the red one only
    EXPECT_EQ(result.FinalCounts(), (CountTexts { " 0", " 49", " 0" }));
}

TEST_F(ClickOnStar, ASt1MagnitudeBeyondSinglePrecisionEndsTheClickAfterTheCounts)
{
    settings.st1Magnitude = 1E39;
    const ClickResult result = Click(30, 30, { 8, 4, 0, 0 });
    EXPECT_TRUE(result.trapped);
    EXPECT_EQ(result.diaphragms[0].outcome, DiaphragmOutcome::Trapped);
    EXPECT_EQ(result.FinalCounts(), result.diaphragms[0].counts);
    EXPECT_FALSE(result.FinalCounts()->sum.empty());
    EXPECT_EQ(result.diaphragms[1].outcome, DiaphragmOutcome::NotReached);
}

TEST(QuickSum, SumsTheDiaphragmAroundTheClickWithoutBackground)
{
    // A sky of 1000 with one pixel of 1001 at (10, 20).
    ImagePlane img = UniformImage(40, 40, 1000);
    SetPhysical(img, 10, 20, 1001);
    const struct {
        float x, y;
        double radius;
        CountTexts counts;
    } cases[] = {
        { 20, 20, 3, { " 29000", " 29", " 1000" } },
        { 20, 20, 3.9, { " 29000", " 29", " 1000" } }, // the radius is floored
        { 20, 20, 0, { " 1000", " 1", " 1000" } },
        // Pixels outside the image count zero but are counted: at (1, 1) only
        // dx, dy >= 0 lie inside, 11 of the 29; per pixel is floored.
        { 1, 1, 3, { " 11000", " 29", " 379" } },
        { 40, 40, 3, { " 11000", " 29", " 379" } },
        { -100, 500, 3, { " 0", " 29", " 0" } },
        // Positions round halves to even.
        { 10.5F, 20, 0, { " 1001", " 1", " 1001" } }, // 10.5 rounds to 10
        { 9.5F, 20, 0, { " 1001", " 1", " 1001" } }, // 9.5 rounds to 10
        { 11.5F, 20, 0, { " 1000", " 1", " 1000" } }, // 11.5 rounds to 12
        { 10.4F, 20.5F, 0, { " 1001", " 1", " 1001" } },
        { 10, 19.5F, 0, { " 1001", " 1", " 1001" } },
        { 10.6F, 20, 0, { " 1000", " 1", " 1000" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " r " << c.radius);
        const QuickSumResult result = QuickSum(img, c.x, c.y, c.radius);
        EXPECT_FALSE(result.trapped);
        EXPECT_EQ(result.counts, c.counts);
        EXPECT_EQ(result.circle, (ClickCircle { c.x, c.y, static_cast<int>(c.radius), CircleKind::Click }));
    }
    EXPECT_EQ(QuickSum(ImagePlane {}, 5, 5, 3).counts.sum, " 0"); // no image read yet
    // A radius without a 16-bit value ends at the trap.
    EXPECT_TRUE(QuickSum(img, 20, 20, -1).trapped);
    EXPECT_TRUE(QuickSum(img, 20, 20, 40000).trapped);
}

} // namespace
} // namespace lumvane
