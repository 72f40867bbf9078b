#include "SampleResults.h"

#include "core/results/LightCurve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumvane {
namespace {

test::SampleSeries ThreeFiles()
{
    return test::SampleSeries({ test::SampleAt("var.001", 0, 1000.0F), test::SampleAt("var.002", 10, 2000.0F),
        test::SampleAt("var.003", 20, 4000.0F) });
}

TEST(LightCurve, OneFileWithoutADatePutsEveryPointAtItsFileNumber)
{
    test::SampleSeries series = ThreeFiles();
    FileEntry undated = series.files.Entry(2);
    undated.observationStart.reset();
    series.files.SetCurrentFile(2);
    series.files.RecordCurrent(undated);
    series.files.SetCurrentFile(3);
    const LightCurve curve = LightCurveOf(series.table, series.files, series.settings, 0, {});
    EXPECT_FALSE(curve.byJulianDate);
    ASSERT_EQ(curve.series.size(), 3U);
    const auto& var = curve.series[2].points;
    ASSERT_EQ(var.size(), 3U);
    EXPECT_EQ(var[0].x, 1.0);
    EXPECT_EQ(var[1].x, 2.0);
    EXPECT_EQ(var[2].x, 3.0);
}

TEST(LightCurve, FollowsTheResultsFilesSettingsAndSkipsWhatWasNotMeasured)
{
    test::SampleSeries series = ThreeFiles();
    series.table.SetStatus(19, 2, 0, MeasureStatus::Unmeasured);
    series.table.SetStatus(19, 3, 0, MeasureStatus::Saturated);
    series.settings.relativeToSt1 = false;
    LightCurve curve = LightCurveOf(series.table, series.files, series.settings, 0, {});
    ASSERT_EQ(curve.series.size(), 3U);
    const auto& var = curve.series[2].points;
    ASSERT_EQ(var.size(), 2U);
    EXPECT_EQ(var[0].file, 1);
    EXPECT_FALSE(var[0].saturated);
    EXPECT_EQ(var[1].file, 3);
    EXPECT_TRUE(var[1].saturated);
    EXPECT_EQ(curve.series[1].points.size(), 3U);
    // Instrumental, as the results file saves it, with the star's own error.
    EXPECT_NEAR(var[0].magnitude, -5.0, 1e-6);
    EXPECT_NEAR(var[0].error, 0.0456, 1e-7);

    // A diaphragm without a radius has no curve.
    EXPECT_TRUE(LightCurveOf(series.table, series.files, series.settings, 1, {}).series.empty());
}

TEST(LightCurveLayout, BrighterHigherLaterFurtherRightEveryPointInsideAndTheNearestFound)
{
    test::SampleSeries series = ThreeFiles();
    const LightCurve curve = LightCurveOf(series.table, series.files, series.settings, 0, {});
    const LightCurveLayout layout = LayoutLightCurve(curve, 400, 300);
    EXPECT_EQ(layout.xOrigin, 2451545.0);
    const auto& var = curve.series[2].points;
    // The variable brightens from file to file: it climbs.
    EXPECT_LT(layout.PixelX(var[0].x), layout.PixelX(var[1].x));
    EXPECT_GT(layout.PixelY(var[0].magnitude), layout.PixelY(var[1].magnitude));
    for (const LightCurveSeries& star : curve.series)
        for (const LightCurvePoint& point : star.points) {
            EXPECT_GE(layout.PixelX(point.x), layout.left);
            EXPECT_LE(layout.PixelX(point.x), layout.right);
            EXPECT_GE(layout.PixelY(point.magnitude - point.error), layout.top);
            EXPECT_LE(layout.PixelY(point.magnitude + point.error), layout.bottom);
        }
    EXPECT_LT(layout.right, 400.0);
    EXPECT_LT(layout.bottom, 300.0);

    // The nearest point, within the radius only.
    const LightCurvePoint& target = var[1];
    const double px = layout.PixelX(target.x);
    const double py = layout.PixelY(target.magnitude);
    const auto hit = NearestPoint(curve, layout, px + 2.0, py - 2.0, 6.0);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->first, 2U);
    EXPECT_EQ(hit->second, 1U);
    EXPECT_FALSE(NearestPoint(curve, layout, px + 8.0, py + 8.0, 6.0).has_value());
}

} // namespace
} // namespace lumvane
