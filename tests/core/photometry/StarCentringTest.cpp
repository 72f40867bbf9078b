#include "core/photometry/StarCentring.h"
#include "core/common/Rounding.h"
#include "core/photometry/Aperture.h"
#include "core/photometry/StarNet.h"
#include "support/SyntheticSky.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace lumvane {
namespace {

using test::AddStar;
using test::SetPhysical;
using test::UniformImage;

void ExpectFailed(const StarMeasurement& result, StarStatus status)
{
    EXPECT_EQ(result.status, status);
    EXPECT_EQ(result.centreX, 0.0F);
    EXPECT_EQ(result.centreY, 0.0F);
    EXPECT_EQ(result.starNet, 0.0F);
    EXPECT_EQ(result.clickNet, 0.0F);
    EXPECT_EQ(result.magError, 0.0F);
}

const PhotometryOptions kDefaults {};

TEST(MeasureStarPeak, ClickOnTheBrightestPixelOfASymmetricStarStays)
{
    ImagePlane img = UniformImage(60, 60, 1000);
    AddStar(img, 30, 30, 50'000, 1.5);
    const StarMeasurement result = MeasureStarPeak(img, 30.0F, 30.0F, 4, 2, kDefaults);
    EXPECT_EQ(result.status, StarStatus::Found);
    EXPECT_EQ(result.centreX, 30.0F);
    EXPECT_EQ(result.centreY, 30.0F);
    EXPECT_EQ(result.starNet, static_cast<float>(RoundHalfEven(result.clickNet))); // the click hit the centre
    EXPECT_GT(result.magError, 0.0F);
    EXPECT_EQ(result.diaphragmPixels, 49);
    // The result says what produced it.
    EXPECT_EQ(result.method, CentringMethod::Peak);
    EXPECT_EQ(result.radius, 4);
    EXPECT_EQ(result.searchRadius, 2);
    EXPECT_EQ(result.options, kDefaults);
}

TEST(MeasureStarPeak, TiesKeepTheSmallerDxThenTheSmallerDy)
{
    // Two equal bright pixels side by side: with r = 1 the diaphragms around
    // either one hold both, and no other candidate holds both.
    const struct {
        int secondDx, secondDy; // the second bright pixel, from the first at (30, 30)
        float clickX, clickY; // clicked on the second one
    } cases[] = { { 1, 0, 31.0F, 30.0F }, { 0, 1, 30.0F, 31.0F } };
    for (const auto& c : cases) {
        ImagePlane img = UniformImage(60, 60, 1000);
        SetPhysical(img, 30, 30, 9000);
        SetPhysical(img, 30 + c.secondDx, 30 + c.secondDy, 9000);
        const StarMeasurement result = MeasureStarPeak(img, c.clickX, c.clickY, 1, 2, kDefaults);
        ASSERT_EQ(result.status, StarStatus::Found);
        EXPECT_EQ(result.centreX, 30.0F) << c.secondDx;
        EXPECT_EQ(result.centreY, 30.0F) << c.secondDy;
        EXPECT_EQ(result.starNet, 2 * (9000 - 1000));
    }

    // All 25 offsets tie when one bright pixel lies within every diaphragm and
    // no annulus: the first, dx = dy = -2, wins.
    ImagePlane img = UniformImage(60, 60, 1000);
    SetPhysical(img, 30, 30, 5000);
    const StarMeasurement result = MeasureStarPeak(img, 30.0F, 30.0F, 3, 2, PhotometryOptions { 1.0F, 2.0F, 0.0F });
    EXPECT_EQ(result.centreX, 28.0F);
    EXPECT_EQ(result.centreY, 28.0F);
    EXPECT_EQ(result.starNet, 4000.0F);
}

TEST(MeasureStarPeak, CentreKeepsTheClickFractionAndMeasuresAroundItsPixel)
{
    ImagePlane img = UniformImage(100, 100, 800);
    AddStar(img, 52, 61, 80'000, 1.2);
    const StarMeasurement result = MeasureStarPeak(img, 50.5F, 60.5F, 5, 3, kDefaults);
    ASSERT_EQ(result.status, StarStatus::Found);
    EXPECT_EQ(result.centreX, 52.5F);
    EXPECT_EQ(result.centreY, 61.5F);

    Aperture aperture(5, kDefaults);
    const auto net = NetCounts(aperture.DiaphragmSum(img, 52.0F, 61.0F), aperture.AnnulusBackground(img, 52.0F, 61.0F));
    EXPECT_EQ(result.starNet, static_cast<float>(RoundHalfEven(*net)));
    const auto clickNet
        = NetCounts(aperture.DiaphragmSum(img, 50.0F, 60.0F), aperture.AnnulusBackground(img, 50.0F, 60.0F));
    EXPECT_EQ(result.clickNet, *clickNet);
}

TEST(StarCentring, SearchRadiusZeroAndTheLimitOf13)
{
    ImagePlane img = UniformImage(100, 100, 1000);
    AddStar(img, 51, 50, 60'000, 1.5);
    // R = 0: the peak method measures the clicked point only.
    const StarMeasurement peak = MeasureStarPeak(img, 50.0F, 50.0F, 4, 0, kDefaults);
    ASSERT_EQ(peak.status, StarStatus::Found);
    EXPECT_EQ(peak.centreX, 50.0F);
    EXPECT_EQ(peak.starNet, static_cast<float>(RoundHalfEven(peak.clickNet)));
    EXPECT_EQ(MeasureStarPeak(img, 50.0F, 50.0F, 4, 1, kDefaults).centreX, 51.0F);
    // The centroid still forms its band over the box of half side r.
    const StarMeasurement centroid = MeasureStarCentroid(img, 50.0F, 50.0F, 4, 0, kDefaults);
    ASSERT_EQ(centroid.status, StarStatus::Found);
    EXPECT_NEAR(centroid.centreX, 51.0F, 0.5F);

    EXPECT_EQ(MeasureStarPeak(img, 50.0F, 50.0F, 4, 40, kDefaults).searchRadius, 13);
    EXPECT_EQ(MeasureStarCentroid(img, 50.0F, 50.0F, 4, 14, kDefaults).searchRadius, 13);
}

TEST(StarCentring, EmptySkyFindsNoStar)
{
    const ImagePlane img = UniformImage(60, 60, 1000);
    const StarMeasurement peak = MeasureStarPeak(img, 30.0F, 30.0F, 8, 2, kDefaults);
    ExpectFailed(peak, StarStatus::NotFound);
    EXPECT_EQ(peak.diaphragmPixels, 197); // the count of the pixels is known all the same
    // Every box pixel equal: t1 = t2 and the band is empty.
    ExpectFailed(MeasureStarCentroid(img, 30.0F, 30.0F, 8, 2, kDefaults), StarStatus::NotFound);
    EXPECT_EQ(StarStatusMessage(StarStatus::NotFound), "No star is found here or the diaphragm radius is very large!");
}

TEST(MeasureStarPeak, AnnulusMostlyOffTheImageIsACorner)
{
    // Around pixel (-9, -9) only six annulus pixels of r = 8 lie in the image,
    // fewer than the m = 60 the filtration drops at the top: background 0.
    ImagePlane img = UniformImage(60, 60, 1000);
    AddStar(img, 3, 3, 50'000, 1.5);
    const StarMeasurement result = MeasureStarPeak(img, -9.0F, -9.0F, 8, 2, kDefaults);
    ExpectFailed(result, StarStatus::Corner);
    EXPECT_EQ(StarStatusMessage(result.status), "This star is on the corner!");
    // A sky of physical 0 has no background anywhere.
    ExpectFailed(MeasureStarPeak(UniformImage(60, 60, 0), 30.0F, 30.0F, 8, 2, kDefaults), StarStatus::Corner);
}

TEST(MeasureStarCentroid, CentreIsThePlainMeanOfTheBandPixels)
{
    // r = 2, R = 0: a 5 x 5 box of 25 pixels; t1 is the value at descending
    // position round(1.25) = 1, t2 the one at round(5) = 5.
    ImagePlane img = UniformImage(40, 40, 100);
    SetPhysical(img, 20, 20, 1000);
    SetPhysical(img, 19, 21, 900); // t1: not in the band (strict)
    SetPhysical(img, 21, 20, 400);
    SetPhysical(img, 21, 21, 500);
    SetPhysical(img, 22, 21, 800);
    // Descending position 5 is the sky, 100: the band is 400, 500, 800.
    // Outside the box, one annulus pixel makes the background per pixel fractional.
    SetPhysical(img, 24, 20, 137);
    const StarMeasurement result = MeasureStarCentroid(img, 20.0F, 20.0F, 2, 0, PhotometryOptions { 1.0F, 2.0F, 0.0F });
    ASSERT_EQ(result.status, StarStatus::Found);
    EXPECT_EQ(result.centreX, static_cast<float>(64.0 / 3.0)); // (21 + 21 + 22) / 3, not weighted
    EXPECT_EQ(result.centreY, static_cast<float>(62.0 / 3.0)); // (20 + 21 + 21) / 3
    // Final measurement around pixel (21, 20), net counts floored.
    Aperture aperture(2, PhotometryOptions { 1.0F, 2.0F, 0.0F });
    const auto net = NetCounts(aperture.DiaphragmSum(img, 21.0F, 20.0F), aperture.AnnulusBackground(img, 21.0F, 20.0F));
    EXPECT_EQ(result.starNet, std::floor(*net));
    EXPECT_NE(result.starNet, static_cast<float>(RoundHalfEven(*net)));
    EXPECT_EQ(result.method, CentringMethod::Centroid);
}

TEST(StarCentring, AnnulusTooLargeToMeasureFindsNoStar)
{
    ImagePlane img = UniformImage(60, 60, 1000);
    AddStar(img, 30, 30, 50'000, 1.5);
    const PhotometryOptions huge { 1.0F, 1.0e9F, 10.0F };
    ExpectFailed(MeasureStarPeak(img, 30.0F, 30.0F, 8, 2, huge), StarStatus::NotFound);
    ExpectFailed(MeasureStarCentroid(img, 30.0F, 30.0F, 8, 2, huge), StarStatus::NotFound);
    ExpectFailed(MeasureStarPeak(img, 3.0e9F, 30.0F, 8, 2, kDefaults), StarStatus::NotFound);
}

// A star of known flux on a sky with photon noise: both methods find it and
// measure its counts within the error they state.
TEST(StarCentring, GaussianStarOnANoisySkyIsMeasuredWithinItsError)
{
    constexpr double kSky = 1000.0;
    constexpr double kFlux = 150'000.0;
    constexpr double kSigma = 1.8;
    constexpr double kStarX = 60.0;
    constexpr double kStarY = 50.0;
    const auto model = [&](int x, int y) { return test::GaussianStar(x - kStarX, y - kStarY, kFlux, kSigma); };
    std::mt19937 random(2024);
    ImagePlane img(120, 110);
    for (int y = 1; y <= img.Height(); ++y)
        for (int x = 1; x <= img.Width(); ++x) {
            const double mean = kSky + model(x, y);
            std::normal_distribution<double> noise(mean, std::sqrt(mean));
            SetPhysical(img, x, y, static_cast<int>(std::lround(noise(random))));
        }

    const int radius = 8;
    for (const CentringMethod method : { CentringMethod::Peak, CentringMethod::Centroid }) {
        const StarMeasurement result = MeasureStar(method, img, 57.6F, 52.3F, radius, 4, kDefaults);
        ASSERT_EQ(result.status, StarStatus::Found);
        // The peak method keeps the click's fraction, and with the whole star
        // inside the diaphragm the sky noise decides between nearby offsets.
        // The centroid's band holds the brightest sky pixels too, which pull
        // it towards the middle of the box around the click.
        const bool peak = method == CentringMethod::Peak;
        EXPECT_NEAR(result.centreX, kStarX + (peak ? 0.6 : 0.0), peak ? 2.0 : 1.0);
        EXPECT_NEAR(result.centreY, kStarY + (peak ? 0.3 : 0.0), peak ? 2.0 : 1.0);

        // The star's own counts inside the diaphragm that was measured.
        const int cx = static_cast<int>(std::floor(result.centreX));
        const int cy = static_cast<int>(std::floor(result.centreY));
        double inside = 0.0;
        for (int dx = -radius; dx <= radius; ++dx)
            for (int dy = -radius; dy <= radius; ++dy)
                inside += dx * dx + dy * dy <= radius * radius ? model(cx + dx, cy + dy) : 0.0;
        const double sigma = result.starNet * (std::pow(10.0, result.magError / 2.5) - 1.0);
        EXPECT_GT(sigma, 300.0);
        EXPECT_LT(sigma, 1000.0);
        EXPECT_NEAR(result.starNet, inside, 3.0 * sigma) << static_cast<int>(method);
        EXPECT_GT(inside, 0.95 * kFlux);
        EXPECT_GT(result.clickNet, 0.5 * kFlux);
    }
}

} // namespace
} // namespace lumvane
