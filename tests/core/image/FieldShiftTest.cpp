#include "core/image/FieldShift.h"

#include "support/SyntheticSky.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace lumvane {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

/// `stars` stars of a sky twice the frame's size at places drawn from `seed`,
/// seen through a frame moved by (dx, dy) over a sky of 1000 counts, with 60
/// hot pixels fixed on the detector.
ImagePlane Frame(double dx, double dy, int stars, std::uint32_t seed)
{
    ImagePlane img = test::UniformImage(kWidth, kHeight, 1000);
    const auto next = [&seed](double range) {
        seed = seed * 1664525U + 1013904223U;
        return (seed >> 8) % 100000 / 100000.0 * range;
    };
    for (int s = 0; s < stars; ++s) {
        const double x = next(2.0 * kWidth) - kWidth / 2.0;
        const double y = next(2.0 * kHeight) - kHeight / 2.0;
        test::AddStar(img, x + dx, y + dy, 5000.0 + next(200000.0), 1.5);
    }
    for (int h = 0; h < 60; ++h)
        test::SetPhysical(img, 5 + 37 * h % (kWidth - 10), 5 + 53 * h % (kHeight - 10), 40000);
    return img;
}

std::vector<FieldStar> Stars(const ImagePlane& img)
{
    BinnedFrame bins;
    bins.Reset(img.Width(), img.Height());
    bins.AddPlane(img);
    return FindFieldStars(bins, img);
}

TEST(FieldShift, FoundFromTheBrightestStarsToAFractionOfAPixelOrNotAtAll)
{
    const struct {
        double dx;
        double dy;
        int stars;
        std::uint32_t seed; ///< of the frame's field
        FieldShiftStatus status;
    } cases[] = {
        { 35.3, -61.7, 160, 7, FieldShiftStatus::Found }, // the hot pixels stay put and don't vote
        { -0.4, 0.2, 160, 7, FieldShiftStatus::Found },
        { -190.6, 140.2, 160, 7, FieldShiftStatus::Found }, // nearly half the frame
        { 12.0, 5.0, 160, 99, FieldShiftStatus::NotFound }, // another field
        { 0.0, 0.0, 0, 7, FieldShiftStatus::NotFound }, // clouds
    };
    const std::vector<FieldStar> reference = Stars(Frame(0, 0, 160, 7));
    ASSERT_EQ(reference.size(), 30U);
    for (const auto& c : cases) {
        const FieldShiftResult result
            = MatchFieldStars(reference, Stars(Frame(c.dx, c.dy, c.stars, c.seed)), kWidth, kHeight);
        EXPECT_EQ(result.status, c.status) << c.dx << ' ' << c.seed;
        if (c.status == FieldShiftStatus::Found) {
            EXPECT_GE(result.matches, kShiftMatches);
            EXPECT_NEAR(result.shift.x, c.dx, 0.1) << c.dx;
            EXPECT_NEAR(result.shift.y, c.dy, 0.1) << c.dy;
        }
    }
    // Three stars can't tell a shift.
    const std::vector<FieldStar> few(reference.begin(), reference.begin() + 3);
    EXPECT_EQ(MatchFieldStars(few, reference, kWidth, kHeight).status, FieldShiftStatus::TooFewStars);
}

TEST(FieldShift, BinsOfARawFrameAreCalibratedAsItsPixels)
{
    // A dark of 300, a flat whose left half gets half the light of its right:
    // a raw 800 on the left and 1300 on the right are both 750 calibrated.
    ImagePlane raw = test::UniformImage(8, 4, 1300);
    ImagePlane flat = test::UniformImage(8, 4, 20000);
    for (int y = 1; y <= 4; ++y)
        for (int x = 1; x <= 4; ++x) {
            test::SetPhysical(raw, x, y, 800);
            test::SetPhysical(flat, x, y, 10000);
        }
    const auto bins = [](const ImagePlane& plane) {
        BinnedFrame frame;
        frame.Reset(8, 4);
        frame.AddPlane(plane);
        return frame;
    };
    BinnedFrame frame = bins(raw);
    BinnedFrame flats = bins(flat);
    flats.Normalise();
    const BinnedFrame dark = bins(test::UniformImage(8, 4, 300));
    frame.Calibrate(&dark, &flats);
    EXPECT_FLOAT_EQ(frame.At(0, 0), 16 * 750.0F);
    EXPECT_FLOAT_EQ(frame.At(1, 0), 16 * 750.0F);
}

} // namespace
} // namespace lumvane
