#include "core/results/Ensemble.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(EnsembleMagnitude, ThreeComparisonsByHand)
{
    // The target: instrumental -5.000 +/- 0.020. Weights 1 / (0.020^2 + e^2):
    // 2000, 1250 and 1600 (sum 4850) for comparison errors 0.010, 0.020, 0.015.
    // Photon error of the zero point: sqrt(2000^2 0.010^2 + 1250^2 0.020^2 +
    // 1600^2 0.015^2) / 4850 = sqrt(1601) / 4850 = 0.0082500.
    const struct {
        std::vector<ComparisonMeasurement> comparisons;
        double magnitude;
        double error;
    } cases[] = {
        // Estimates 11 + 1 = 12.000, 12 + 0.05 = 11.950, 10.5 + 1.48 = 11.980:
        // mean 58105.5 / 4850 = 11.9805155; their scatter, sqrt((2000 0.0194845^2
        // + 1250 0.0305155^2 + 1600 0.0005155^2) / (2 * 4850)) = 0.0140826, is
        // above the photon error: sqrt(0.020^2 + 0.0140826^2) = 0.0244606.
        { { { 11.0, -6.0, 0.010 }, { 12.0, -4.95, 0.020 }, { 10.5, -6.48, 0.015 } }, 11.9805155, 0.0244606 },
        // Estimates that agree: sqrt(0.020^2 + 0.0082500^2) = 0.0216348.
        { { { 11.0, -6.0, 0.010 }, { 12.0, -5.0, 0.020 }, { 10.5, -6.5, 0.015 } }, 12.0, 0.0216348 },
        // One comparison: sqrt(0.020^2 + 0.010^2) = 0.0223607.
        { { { 11.0, -6.0, 0.010 } }, 12.0, 0.0223607 },
    };
    for (const auto& c : cases) {
        const MagnitudeEstimate estimate = EnsembleMagnitude(-5.0, 0.020, c.comparisons);
        EXPECT_NEAR(estimate.magnitude, c.magnitude, 1e-7) << c.comparisons.size();
        EXPECT_NEAR(estimate.error, c.error, 1e-7) << c.magnitude;
    }
}

} // namespace
} // namespace lumvane
