#include "SampleResults.h"

#include "core/results/SeriesSummary.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumvane {
namespace {

TEST(ChiSquareProbability, ClosedFormsAndTheTable)
{
    const struct {
        double chiSquare;
        int degrees;
        double probability;
        double relativeTolerance;
    } cases[] = {
        { 2.0, 2, std::exp(-1.0), 1e-12 }, // two degrees: exp(-chi^2 / 2)
        { 4.0, 1, std::erfc(std::sqrt(2.0)), 1e-12 }, // one degree: erfc(sqrt(chi^2 / 2))
        { 0.5, 4, 1.25 * std::exp(-0.25), 1e-12 }, // four: exp(-x) (1 + x), x = chi^2 / 2
        { 100.0, 4, 51.0 * std::exp(-50.0), 1e-12 },
        // The 0.1 % point of 11 degrees in the tables, given to 3 decimals.
        { 31.264, 11, 0.001, 2e-4 },
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ChiSquareProbability(c.chiSquare, c.degrees) / c.probability, 1.0, c.relativeTolerance)
            << c.chiSquare << " " << c.degrees;
}

TEST(SeriesSummary, FilesByStatusAndTheStatisticsOfTheRest)
{
    // Var 1 at 1000, 1100 and 1000 counts, then saturated, then not measured.
    test::SampleSeries series({ test::SampleAt("v.001", 0, 1000.0F), test::SampleAt("v.002", 10, 1100.0F),
        test::SampleAt("v.003", 20, 1000.0F), test::SampleAt("v.004", 30, 1000.0F),
        test::SampleAt("v.005", 40, 0.0F) });
    series.table.SetStatus(19, 4, 0, MeasureStatus::Saturated);
    const auto summary = SeriesSummary(series.table, series.files, series.settings, {});
    ASSERT_EQ(summary.size(), 3U);
    const StarSummary& var = summary[2];
    EXPECT_EQ(var.slot, 19);
    EXPECT_EQ(var.radius, 8.0F);
    EXPECT_EQ(var.measured, 3);
    EXPECT_EQ(var.saturated, 1);
    EXPECT_EQ(var.unmeasured, 1);
    // Relative to St1: 12.5, 12.5 - d, 12.5 with d = 2.5 log10 1.1 = 0.103482,
    // each +/- sqrt(0.0456^2 + 0.0123^2) = 0.0472298. Mean 12.5 - d / 3,
    // scatter d / sqrt(3), chi^2 = (2 d^2 / 3) / 0.0472298^2 = 3.20040 on two
    // degrees of freedom: probability exp(-1.60020) = 0.201856.
    EXPECT_NEAR(*var.mean, 12.465506, 2e-6);
    EXPECT_NEAR(*var.scatter, 0.0597452, 2e-6);
    EXPECT_NEAR(*var.meanError, 0.0472298, 1e-7);
    EXPECT_NEAR(*var.reducedChiSquare, 1.60020, 1e-5);
    EXPECT_NEAR(*var.constantProbability, 0.201856, 1e-5);
    EXPECT_FALSE(var.varies);
    // St1 against itself has no error, so no chi-square.
    EXPECT_EQ(summary[0].measured, 5);
    EXPECT_EQ(*summary[0].scatter, 0.0);
    EXPECT_FALSE(summary[0].reducedChiSquare.has_value());
}

} // namespace
} // namespace lumvane
