#include "core/patrol/SeriesCalibration.h"

#include "core/image/Calibration.h"

#include <gtest/gtest.h>

#include <random>

namespace lumvane {
namespace {

ImagePlane RandomPlane(int width, int height, std::mt19937& random, int low, int high)
{
    std::uniform_int_distribution<int> physical(low, high);
    ImagePlane plane(width, height);
    for (int y = 1; y <= height; ++y)
        for (int x = 1; x <= width; ++x)
            plane.At(x, y) = static_cast<std::int16_t>(physical(random) - kPhysicalOffset);
    return plane;
}

ImageStore Store(int width, int height, std::mt19937& random)
{
    ImageStore store;
    store.img = RandomPlane(width, height, random, 0, 65534);
    store.ds = RandomPlane(width, height, random, 0, 3000);
    // Flats from physical 0 (kept pixels) up, so that results overflow too.
    store.ff = RandomPlane(width, height, random, 0, 40000);
    store.header.naxis1 = static_cast<std::int16_t>(width);
    store.header.naxis2 = static_cast<std::int16_t>(height);
    return store;
}

void ExpectSamePixels(const ImagePlane& a, const ImagePlane& b)
{
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    int differing = 0;
    for (int y = 0; y <= a.Height(); ++y)
        for (int x = 0; x <= a.Width(); ++x)
            differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0);
}

TEST(SeriesCalibration, GivesExactlyWhatDarkSubtractThenFlatFieldGive)
{
    std::mt19937 random(11);
    for (const auto& [dark, flat] :
        { std::pair { true, true }, std::pair { false, true }, std::pair { true, false } }) {
        ImageStore store = Store(67, 41, random);
        ImagePlane expected = store.img;
        if (dark) {
            ASSERT_TRUE(DarkSubtract(expected, store.ds));
        }
        if (flat) {
            ASSERT_TRUE(FlatField(expected, store.ff, *FlatMean(store.ff, store.img, 67, 41)));
        }
        SeriesCalibration calibration(dark, flat);
        const SeriesCalibrationOutcome outcome = calibration.Apply(store);
        EXPECT_FALSE(outcome.darkRefused);
        EXPECT_FALSE(outcome.flatRefused);
        ExpectSamePixels(store.img, expected);
    }
}

TEST(SeriesCalibration, RoundsHalvesToEvenAndKeepsWhatCantBeStored)
{
    // The flat's mean is 100000 / 5 / 1 = 20000. Halves go to the even stored
    // value, and a stored value is the physical one less 32767 (odd): physical
    // 3 over a flat of 40000 gives 1.5, stored -32765.5 -> -32766, physical 1;
    // 5 gives 2.5, stored -32764.5 -> -32764, physical 3. 40000 over 10000
    // would be 80000, which can't be stored; 3000 over 10000 gives 6000; a
    // flat of physical 0 keeps the pixel.
    ImageStore store;
    store.img = ImagePlane(5, 1);
    store.ff = ImagePlane(5, 1);
    const int image[] = { 3, 5, 40000, 3000, 1234 };
    const int flat[] = { 40000, 40000, 10000, 10000, 0 };
    for (int x = 1; x <= 5; ++x) {
        store.img.At(x, 1) = static_cast<std::int16_t>(image[x - 1] - kPhysicalOffset);
        store.ff.At(x, 1) = static_cast<std::int16_t>(flat[x - 1] - kPhysicalOffset);
    }
    store.header.naxis1 = 5;
    store.header.naxis2 = 1;
    SeriesCalibration(false, true).Apply(store);
    const int expected[] = { 1, 3, 40000, 6000, 1234 };
    for (int x = 1; x <= 5; ++x)
        EXPECT_EQ(Physical(store.img.At(x, 1)), expected[x - 1]) << x;
}

TEST(SeriesCalibration, RefusesFramesSmallerThanTheImage)
{
    std::mt19937 random(3);
    ImageStore store = Store(20, 10, random);
    store.ds = RandomPlane(20, 9, random, 0, 100);
    store.ff = RandomPlane(19, 10, random, 1, 100);
    const ImagePlane before = store.img;
    const SeriesCalibrationOutcome outcome = SeriesCalibration(true, true).Apply(store);
    EXPECT_TRUE(outcome.darkRefused);
    EXPECT_TRUE(outcome.flatRefused);
    ExpectSamePixels(store.img, before);

    // A larger frame is used in the image's cells.
    store.ds = RandomPlane(25, 12, random, 0, 100);
    ImagePlane expected = store.img;
    DarkSubtract(expected, store.ds);
    EXPECT_FALSE(SeriesCalibration(true, false).Apply(store).darkRefused);
    ExpectSamePixels(store.img, expected);
}

TEST(SeriesCalibration, AFrameOfAnotherSizeGetsItsOwnFlatMean)
{
    std::mt19937 random(5);
    ImageStore store = Store(30, 20, random);
    SeriesCalibration calibration(false, true);
    calibration.Apply(store);

    // The next frame is smaller: the flat's mean now covers its cells only.
    const ImagePlane flat = store.ff;
    store.img = RandomPlane(12, 8, random, 100, 5000);
    store.header.naxis1 = 12;
    store.header.naxis2 = 8;
    ImagePlane expected = store.img;
    FlatField(expected, flat, *FlatMean(flat, store.img, 12, 8));
    calibration.Apply(store);
    ExpectSamePixels(store.img, expected);
}

} // namespace
} // namespace lumvane
