#include "core/photometry/Aperture.h"
#include "core/common/Rounding.h"
#include "core/photometry/StarNet.h"
#include "core/photometry/StarWindow.h"
#include "support/SyntheticSky.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

namespace lumvane {
namespace {

using test::SetPhysical;
using test::UniformImage;

PhotometryOptions Options(float inner, float outer, float percent)
{
    return PhotometryOptions { inner, outer, percent };
}

// The measurements as the design states them, pixel by pixel over the image
// with out-of-image pixels 0, and a full sort of the background list.
int ReferenceValue(const ImagePlane& img, int x, int y)
{
    return img.Contains(x, y) ? Physical(img.At(x, y)) : 0;
}

ApertureSum ReferenceDiaphragm(const ImagePlane& img, int ix, int iy, int r)
{
    ApertureSum result;
    for (int dx = -r; dx <= r; ++dx) {
        int h = 0;
        while ((h + 1) * (h + 1) <= r * r - dx * dx)
            ++h;
        for (int dy = -h; dy <= h; ++dy) {
            result.sum += ReferenceValue(img, ix + dx, iy + dy);
            ++result.pixels;
        }
    }
    return result;
}

ApertureSum ReferenceAnnulus(const ImagePlane& img, int ix, int iy, int r, const PhotometryOptions& options)
{
    const double r2 = static_cast<double>(r) * r;
    const auto outer = static_cast<long long>(RoundHalfEven(double(options.annulusOuter) * options.annulusOuter * r2));
    const auto inner = static_cast<long long>(RoundHalfEven(double(options.annulusInner) * options.annulusInner * r2));
    const int limit = static_cast<int>(RoundHalfEven(options.annulusOuter * static_cast<float>(r)));
    std::vector<long long> list;
    for (int dx = -limit; dx <= limit; ++dx)
        for (int dy = -limit; dy <= limit; ++dy) {
            const long long q = static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
            if (inner <= q && q <= outer)
                list.push_back(ReferenceValue(img, ix + dx, iy + dy));
        }
    const auto n = static_cast<long long>(list.size());
    const auto m = static_cast<long long>(RoundHalfEven(double(options.medianPercent) * double(n) / 100.0));
    std::sort(list.begin(), list.end(), std::greater<>());
    long long s = 0;
    for (long long position = m + 1; position <= n - m; ++position)
        s += list[static_cast<std::size_t>(position - 1)];
    if (n - 2 * m == 0)
        return { s, n };
    const double scaled = double(s) + 2.0 * double(m) * double(s) / double(n - 2 * m);
    return { static_cast<long long>(RoundHalfEven(scaled)), n };
}

TEST(Aperture, DiaphragmHoldsThePixelsWithinTheRadiusBoundaryIncluded)
{
    ImagePlane img = UniformImage(40, 40, 0);
    Aperture aperture(3, PhotometryOptions {});
    EXPECT_EQ(aperture.DiaphragmPixels(), 29);

    SetPhysical(img, 20 + 3, 20, 1); // q = 9: on the boundary, inside
    SetPhysical(img, 20 + 2, 20 - 2, 10); // q = 8: inside
    SetPhysical(img, 20 - 2, 20 + 3, 100); // q = 13: outside
    const ApertureSum sum = aperture.DiaphragmSum(img, 20.0F, 20.0F);
    EXPECT_EQ(sum.sum, 11);
    EXPECT_EQ(sum.pixels, 29);
}

TEST(Aperture, CentreIsThePixelHoldingIt)
{
    ImagePlane img = UniformImage(40, 40, 0);
    SetPhysical(img, 10, 20, 5);
    SetPhysical(img, 11, 20, 7);
    SetPhysical(img, 10, 21, 11);
    Aperture single(0, PhotometryOptions {});
    EXPECT_EQ(single.DiaphragmSum(img, 10.9F, 20.2F).sum, 5);
    EXPECT_EQ(single.DiaphragmSum(img, 11.0F, 20.2F).sum, 7);
    EXPECT_EQ(single.DiaphragmSum(img, 10.0F, 21.999F).sum, 11);
    EXPECT_EQ(single.DiaphragmPixels(), 1);
}

TEST(Aperture, AnnulusAtRadius8RunsFromSquare64To256)
{
    ImagePlane img = UniformImage(60, 60, 0);
    Aperture aperture(8, Options(1.0F, 2.0F, 0.0F));
    long long expected = 0;
    for (int dx = -16; dx <= 16; ++dx)
        for (int dy = -16; dy <= 16; ++dy)
            expected += (64 <= dx * dx + dy * dy && dx * dx + dy * dy <= 256) ? 1 : 0;
    EXPECT_EQ(aperture.AnnulusPixels(), expected);

    SetPhysical(img, 30 + 8, 30, 1); // q = 64: in the annulus and in the diaphragm
    SetPhysical(img, 30, 30 - 16, 10); // q = 256: in the annulus
    SetPhysical(img, 30 + 16, 30 + 1, 100); // q = 257: outside
    SetPhysical(img, 30 - 7, 30 + 3, 1000); // q = 58: inside the inner radius
    EXPECT_EQ(aperture.AnnulusBackground(img, 30.5F, 30.5F).sum, 11); // P = 0: the plain sum
    EXPECT_EQ(aperture.DiaphragmSum(img, 30.5F, 30.5F).sum, 1001);
}

TEST(Aperture, LargeDiaphragmsKeepEveryAnnulusPixel)
{
    // Beyond the 2000 the design's list had room for.
    const struct {
        int radius;
        long long pixels;
    } cases[] = { { 14, 1844 }, { 15, 2124 }, { 16, 2416 } };
    for (const auto& c : cases)
        EXPECT_EQ(Aperture(c.radius, PhotometryOptions {}).AnnulusPixels(), c.pixels) << c.radius;
}

TEST(Aperture, UniformSkyGivesNetZeroForAnyMedianPercent)
{
    const ImagePlane img = UniformImage(80, 80, 1000);
    for (const float percent : { 0.0F, 5.0F, 10.0F, 12.5F, 20.0F, 30.0F }) {
        for (const int radius : { 1, 4, 8, 16 }) {
            Aperture aperture(radius, Options(1.0F, 2.0F, percent));
            const ApertureSum sum = aperture.DiaphragmSum(img, 40.0F, 40.0F);
            const ApertureSum background = aperture.AnnulusBackground(img, 40.0F, 40.0F);
            EXPECT_EQ(background.sum, 1000 * background.pixels) << percent << ' ' << radius;
            EXPECT_EQ(NetCounts(sum, background), 0.0F) << percent << ' ' << radius;
        }
    }
}

TEST(Aperture, TheMedianPercentDropsTheEndsOfTheSortedAnnulusAndScalesTheRest)
{
    // r = 2 with R1 = 0.1 and R2 = 1.42: inner² = round(0.04) = 0 and outer² =
    // round(8.07) = 8, so the annulus is the 5 x 5 square around the centre.
    // Bottom two 10 and 20, top two 900 and 800, and 21 middle values: twenty
    // of 100 and one of 300.
    ImagePlane img = UniformImage(40, 40, 0);
    std::vector<int> values = { 10, 20, 900, 800, 300 };
    values.resize(25, 100);
    std::shuffle(values.begin(), values.end(), std::mt19937(7));
    for (int i = 0; i < 25; ++i)
        SetPhysical(img, 20 + i % 5 - 2, 20 + i / 5 - 2, values[static_cast<std::size_t>(i)]);
    const struct {
        float percent;
        long long background;
    } cases[] = {
        // m = round(2.5) = 2: S = 20 x 100 + 300 = 2300, scaled 2300 x 25 / 21 = 2738.1.
        { 10.0F, 2738 },
        { 0.0F, 10 + 20 + 900 + 800 + 300 + 20 * 100 },
    };
    for (const auto& c : cases) {
        Aperture aperture(2, Options(0.1F, 1.42F, c.percent));
        ASSERT_EQ(aperture.AnnulusPixels(), 25);
        EXPECT_EQ(aperture.AnnulusBackground(img, 20.0F, 20.0F).sum, c.background) << c.percent;
    }
}

TEST(Aperture, PixelsOutsideTheImageCountAsZeroButAreCounted)
{
    const ImagePlane img = UniformImage(30, 30, 1000);
    Aperture aperture(3, Options(1.0F, 2.0F, 0.0F));
    // Around pixel (1, 1) only the quarter dx, dy >= 0 lies in the image:
    // 4 + 3 + 3 + 1 pixels of the diaphragm.
    const ApertureSum sum = aperture.DiaphragmSum(img, 1.0F, 1.0F);
    EXPECT_EQ(sum.pixels, 29);
    EXPECT_EQ(sum.sum, 11 * 1000);
    const ApertureSum background = aperture.AnnulusBackground(img, 1.0F, 1.0F);
    EXPECT_EQ(background.pixels, aperture.AnnulusPixels());
    EXPECT_LT(background.sum, 1000 * background.pixels / 3);
}

TEST(Aperture, WindowAndImageAgreeWithTheStatedRulesEverywhere)
{
    // Random counts, many centres near edges and corners, odd options: the
    // window, the image, a search walking its centres and the rules read pixel
    // by pixel give the same sums.
    std::mt19937 random(11);
    ImagePlane img(37, 29);
    std::uniform_int_distribution<int> count(0, 65534);
    for (int y = 1; y <= img.Height(); ++y)
        for (int x = 1; x <= img.Width(); ++x)
            SetPhysical(img, x, y, count(random));
    const PhotometryOptions optionSets[] = { Options(1.0F, 2.0F, 10.0F), Options(0.1F, 1.42F, 30.0F),
        Options(1.5F, 3.0F, 20.0F), Options(2.0F, 2.3F, 7.0F), Options(0.5F, 5.0F, 0.0F) };
    std::uniform_int_distribution<int> column(-20, 57);
    std::uniform_int_distribution<int> row(-20, 49);
    for (const auto& options : optionSets) {
        for (int radius = 0; radius <= 9; ++radius) {
            Aperture aperture(radius, options);
            for (int trial = 0; trial < 12; ++trial) {
                const int x = column(random);
                const int y = row(random);
                const int search = trial % 3;
                const StarWindow window(img, x, y, aperture.Reach() + search);
                const ApertureSum expectedSum = ReferenceDiaphragm(img, x, y, radius);
                const ApertureSum expectedBackground = ReferenceAnnulus(img, x, y, radius, options);
                const auto cx = static_cast<float>(x) + 0.25F;
                const auto cy = static_cast<float>(y) + 0.75F;
                for (const ApertureSum& sum :
                    { aperture.DiaphragmSum(img, cx, cy), aperture.DiaphragmSum(window, cx, cy) }) {
                    EXPECT_EQ(sum.sum, expectedSum.sum) << radius << ' ' << x << ' ' << y;
                    EXPECT_EQ(sum.pixels, expectedSum.pixels);
                }
                for (const ApertureSum& background :
                    { aperture.AnnulusBackground(img, cx, cy), aperture.AnnulusBackground(window, cx, cy) }) {
                    EXPECT_EQ(background.sum, expectedBackground.sum)
                        << radius << ' ' << x << ' ' << y << ' ' << options.medianPercent;
                    EXPECT_EQ(background.pixels, expectedBackground.pixels);
                }
                const std::vector<ApertureSum> searched = aperture.AnnulusBackgrounds(window, x, y, search);
                auto next = searched.begin();
                for (int dx = -search; dx <= search; ++dx)
                    for (int dy = -search; dy <= search; ++dy, ++next)
                        EXPECT_EQ(next->sum, ReferenceAnnulus(img, x + dx, y + dy, radius, options).sum)
                            << radius << ' ' << x + dx << ' ' << y + dy << ' ' << options.medianPercent;
            }
        }
    }
}

TEST(Aperture, AnnulusBeyondSixteenBitCoordinatesMeasuresNothing)
{
    const ImagePlane img = UniformImage(20, 20, 1000);
    Aperture huge(16, Options(1.0F, 1.0e6F, 10.0F));
    EXPECT_FALSE(huge.Valid());
    EXPECT_EQ(huge.AnnulusBackground(img, 10.0F, 10.0F).pixels, 0);
    EXPECT_FALSE(NetCounts(huge.DiaphragmSum(img, 10.0F, 10.0F), huge.AnnulusBackground(img, 10.0F, 10.0F)));

    // Far reaching but allowed: the pixels outside the image cost nothing.
    Aperture wide(16, Options(1.0F, 2000.0F, 10.0F));
    EXPECT_TRUE(wide.Valid());
    const ApertureSum background = wide.AnnulusBackground(img, 10.0F, 10.0F);
    EXPECT_GT(background.pixels, 3'000'000'000LL);
    EXPECT_EQ(background.sum, 0); // 400 image pixels are fewer than the m dropped at the top
}

TEST(StarNet, NetCountsAndErrorFollowTheFormulas)
{
    const ApertureSum diaphragm { 250'000, 200 };
    const ApertureSum annulus { 600'000, 800 };
    EXPECT_EQ(NetCounts(diaphragm, annulus), 250'000.0F - 750.0F * 200.0F);
    // sigma = sqrt(250000 + 2 x 750 x 200² / 800) = sqrt(325000)
    const float error = *MagnitudeError(diaphragm, annulus, 100'000.0F);
    EXPECT_NEAR(error, 2.5 * std::log10(1.0 + std::sqrt(325'000.0) / 100'000.0), 1e-7);

    EXPECT_FALSE(NetCounts(diaphragm, ApertureSum { 0, 0 }));
    EXPECT_FALSE(MagnitudeError(diaphragm, annulus, 0.0F));
    EXPECT_FALSE(MagnitudeError(diaphragm, annulus, -100.0F)); // 1 + sigma / net < 0
    EXPECT_TRUE(MagnitudeError(diaphragm, annulus, -1.0e6F)); // negative but with a value
}

} // namespace
} // namespace lumvane
