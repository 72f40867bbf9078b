#include "core/profile/Profile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumvane {
namespace {

/// A plane whose every pixel tells where it is: physical 3x + 7y + 30767, so a
/// sample read from the wrong column or row changes the mean.
ImagePlane PositionPlane(int width, int height)
{
    ImagePlane plane(width, height);
    for (int y = 1; y <= height; ++y)
        for (int x = 1; x <= width; ++x)
            plane.At(x, y) = static_cast<std::int16_t>(3 * x + 7 * y - 2000);
    return plane;
}

float MeanOf(const ImagePlane& plane, std::initializer_list<std::pair<int, int>> pixels)
{
    float sum = 0.0f;
    for (const auto& [x, y] : pixels)
        sum += static_cast<float>(Physical(plane.At(x, y)));
    return static_cast<float>(static_cast<double>(sum) / static_cast<double>(pixels.size()));
}

const ProfileLine kWorkedLine { 12.0f, 388.0f, 112.0f, 388.0f };

TEST(ComputeProfile, WorkedExampleSamplesTwoPositionsAlongAndThreeAcross)
{
    const ImagePlane plane = PositionPlane(150, 400);
    const ProfileResult result = ComputeProfile(plane, kWorkedLine, { 1, false }, true);

    ASSERT_EQ(result.status, ProfileStatus::Computed);
    ASSERT_EQ(result.values.size(), 100U);
    ASSERT_EQ(result.samples.size(), 600U);
    // Point 1: x = 12.5 and 13.0, y = 387.5, 388 and 388.5 (rows 387, 388, 388).
    const double expected[6][2]
        = { { 12.5, 387.5 }, { 12.5, 388.0 }, { 12.5, 388.5 }, { 13.0, 387.5 }, { 13.0, 388.0 }, { 13.0, 388.5 } };
    for (int s = 0; s < 6; ++s) {
        EXPECT_DOUBLE_EQ(result.samples[s].x, expected[s][0]) << "sample " << s;
        EXPECT_DOUBLE_EQ(result.samples[s].y, expected[s][1]) << "sample " << s;
    }
    EXPECT_FLOAT_EQ(result.values[0],
        MeanOf(plane, { { 12, 387 }, { 12, 388 }, { 12, 388 }, { 13, 387 }, { 13, 388 }, { 13, 388 } }));
    // The end is the last position sampled; the start never is.
    EXPECT_DOUBLE_EQ(result.samples.back().x, 112.0);
    EXPECT_DOUBLE_EQ(result.samples.back().y, 388.5);
    EXPECT_FLOAT_EQ(result.values[99],
        MeanOf(plane, { { 111, 387 }, { 111, 388 }, { 111, 388 }, { 112, 387 }, { 112, 388 }, { 112, 388 } }));
}

TEST(ComputeProfile, WithoutMarkingTheValuesAreTheSameAndNoSamplesAreKept)
{
    const ImagePlane plane = PositionPlane(150, 400);
    const ProfileResult marked = ComputeProfile(plane, kWorkedLine, { 1, false }, true);
    const ProfileResult unmarked = ComputeProfile(plane, kWorkedLine, { 1, false }, false);
    EXPECT_EQ(unmarked.values, marked.values);
    EXPECT_TRUE(unmarked.samples.empty());
}

TEST(ComputeProfile, TheBandLiesToTheLeftOfTheDirectionOfTravel)
{
    // Going up the image (dy > 0), left is towards smaller x: offsets k/(2n)
    // of (-dy, dx). With width 2 the band reaches one pixel to each side.
    const ImagePlane plane = PositionPlane(50, 50);
    const ProfileResult result = ComputeProfile(plane, { 20.0f, 10.0f, 20.0f, 20.0f }, { 2, false }, true);
    ASSERT_EQ(result.samples.size(), 10U * 2U * 5U);
    EXPECT_DOUBLE_EQ(result.samples[0].x, 21.0); // k = -2: right of travel
    EXPECT_DOUBLE_EQ(result.samples[4].x, 19.0); // k = +2: left of travel
    EXPECT_DOUBLE_EQ(result.samples[0].y, 10.5);
}

TEST(ComputeProfile, ALineShorterThanOnePixelGivesNothing)
{
    const ImagePlane plane = PositionPlane(50, 50);
    const ProfileResult result = ComputeProfile(plane, { 10.0f, 10.0f, 10.9f, 10.0f }, { 1, false }, true);
    EXPECT_EQ(result.status, ProfileStatus::NoPoints);
    EXPECT_FALSE(result.HasPoints());
    EXPECT_TRUE(result.samples.empty());
    // A right click without a drag: both ends the same.
    EXPECT_FALSE(ComputeProfile(plane, { 10.0f, 10.0f, 10.0f, 10.0f }, { 1, false }, false).HasPoints());
}

TEST(ComputeProfile, WidthZeroAveragesTheTwoSamplesOnTheLine)
{
    const ImagePlane plane = PositionPlane(150, 400);
    const ProfileResult result = ComputeProfile(plane, kWorkedLine, { 0, false }, true);
    ASSERT_EQ(result.values.size(), 100U);
    EXPECT_EQ(result.samples.size(), 200U);
    EXPECT_FLOAT_EQ(result.values[0], MeanOf(plane, { { 12, 388 }, { 13, 388 } }));
    EXPECT_FLOAT_EQ(result.values[57], MeanOf(plane, { { 69, 388 }, { 70, 388 } }));
}

TEST(ComputeProfile, NegativeWidthGivesAnEmptyBandAndZeros)
{
    const ImagePlane plane = PositionPlane(150, 400);
    for (const bool logarithm : { false, true }) {
        const ProfileResult result = ComputeProfile(plane, kWorkedLine, { -1, logarithm }, true);
        ASSERT_EQ(result.values.size(), 100U);
        EXPECT_TRUE(result.samples.empty());
        for (const float value : result.values)
            EXPECT_EQ(value, 0.0f);
    }
}

TEST(ComputeProfile, SamplesOffTheImageAreLeftOutOfTheMean)
{
    // Along the bottom row: the samples half a pixel below fall in row 0, which
    // holds no pixel data (its cells read as physical 32767 if ever read).
    const ImagePlane plane = PositionPlane(150, 40);
    const ProfileResult result = ComputeProfile(plane, { 12.0f, 1.0f, 112.0f, 1.0f }, { 1, false }, true);
    ASSERT_EQ(result.values.size(), 100U);
    EXPECT_FLOAT_EQ(result.values[0], MeanOf(plane, { { 12, 1 }, { 12, 1 }, { 13, 1 }, { 13, 1 } }));
    EXPECT_EQ(result.samples.size(), 400U);
    for (const ProfileSample& sample : result.samples)
        EXPECT_GE(sample.y, 1.0);

    // A line that leaves the image: the points beyond the right edge are 0.
    const ProfileResult leaving = ComputeProfile(plane, { 140.0f, 20.0f, 160.0f, 20.0f }, { 1, false }, false);
    ASSERT_EQ(leaving.values.size(), 20U);
    EXPECT_FLOAT_EQ(leaving.values[9],
        MeanOf(plane, { { 149, 19 }, { 149, 20 }, { 149, 20 }, { 150, 19 }, { 150, 20 }, { 150, 20 } }));
    // Point 11 samples x = 150.5 (column 150) and x = 151 (off the image).
    EXPECT_FLOAT_EQ(leaving.values[10], MeanOf(plane, { { 150, 19 }, { 150, 20 }, { 150, 20 } }));
    EXPECT_EQ(leaving.values[11], 0.0f);
    EXPECT_EQ(leaving.values[19], 0.0f);

    // Wholly below and left of the image, where truncation towards zero would
    // land on column or row 0.
    const ProfileResult outside = ComputeProfile(plane, { -5.0f, -0.5f, 0.9f, -0.5f }, { 3, true }, true);
    ASSERT_EQ(outside.values.size(), 5U);
    EXPECT_TRUE(outside.samples.empty());
    for (const float value : outside.values)
        EXPECT_EQ(value, 0.0f);

    // A band far wider than the image along a line far longer: each point on
    // the image averages its two columns whole, rows 1..40 twice each (offsets
    // -38..41 of half a pixel); 130000 positions, but only their samples on
    // the image are any work.
    const ProfileResult wide = ComputeProfile(plane, { -30000.0f, 20.0f, 35000.0f, 20.0f }, { 32767, false }, true);
    ASSERT_EQ(wide.values.size(), 65000U);
    EXPECT_EQ(wide.samples.size(), 300U * 80U);
    EXPECT_EQ(wide.values[30011 - 1], 3 * 10.5F + 7 * 20.5F + 30767); // columns 10 and 11
    EXPECT_EQ(wide.values[0], 0.0f);
    EXPECT_EQ(wide.values[64999], 0.0f);
}

TEST(ComputeProfile, LogProfileHoldsTheNaturalLogarithmOfEachMean)
{
    const ImagePlane plane = PositionPlane(150, 400);
    const ProfileResult linear = ComputeProfile(plane, kWorkedLine, { 2, false }, false);
    const ProfileResult logarithmic = ComputeProfile(plane, kWorkedLine, { 2, true }, false);
    ASSERT_EQ(logarithmic.values.size(), linear.values.size());
    EXPECT_TRUE(logarithmic.settings.logarithm);
    for (std::size_t i = 0; i < linear.values.size(); ++i)
        EXPECT_NEAR(logarithmic.values[i], std::log(linear.values[i]), 1e-6) << "point " << i + 1;

    ImagePlane flat(20, 20);
    for (int y = 1; y <= 20; ++y)
        for (int x = 1; x <= 20; ++x)
            flat.At(x, y) = static_cast<std::int16_t>(1000 - kPhysicalOffset);
    const ProfileResult thousand = ComputeProfile(flat, { 2.0f, 2.0f, 12.0f, 9.0f }, { 1, true }, false);
    ASSERT_EQ(thousand.values.size(), 12U);
    EXPECT_FLOAT_EQ(thousand.values[5], static_cast<float>(std::log(1000.0)));
}

TEST(ComputeProfile, LinesLongerThanAThousandPixelsAreServedInFull)
{
    const ImagePlane plane = PositionPlane(1600, 4);
    const ProfileResult result = ComputeProfile(plane, { 1.0f, 2.0f, 1501.0f, 2.0f }, { 0, false }, false);
    ASSERT_EQ(result.values.size(), 1500U);
    EXPECT_FLOAT_EQ(result.values[1499], MeanOf(plane, { { 1500, 2 }, { 1501, 2 } }));
    EXPECT_EQ(ComputeProfile(plane, { 0.0f, 0.0f, 1e6f, 0.0f }, { 1, false }, false).status, ProfileStatus::TooLong);
}

TEST(ProfileWidth, TakesTheFlooredLeadingNumberOfTheText)
{
    const struct {
        const char* text;
        int width;
    } cases[] = {
        { "1", 1 },
        { "", 0 },
        { "abc", 0 },
        { "2.9", 2 },
        { " 3x", 3 },
        { "-0.5", -1 },
        { "1e9", 0 },
        { "32767", 32767 },
        { "-32768", -32768 },
        { "32768", 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProfileWidth(c.text), c.width) << "'" << c.text << "'";
}

} // namespace
} // namespace lumvane
