#include "core/patrol/SeriesCalibration.h"

#include "core/image/Calibration.h"
#include "support/FitsWriter.h"
#include "support/TempDir.h"

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

/// A series frame read through the calibration into the store's IMG.
SeriesCalibrationOutcome ReadFrame(SeriesCalibration& calibration, ImageStore& store, const ImagePlane& frame)
{
    const test::TempDir folder;
    test::WriteFileBytes(folder.File("frame.002"), test::PlaneFileBytes(frame));
    UniformRandom random;
    SeriesCalibrationOutcome outcome;
    const FitsReadResult read = calibration.Read(store, folder.File("frame.002"), random, outcome);
    EXPECT_EQ(read.status, FitsReadStatus::Read) << read.message;
    return outcome;
}

ImageStore Store(int width, int height, std::mt19937& random)
{
    ImageStore store;
    store.ds = RandomPlane(width, height, random, 0, 3000);
    // Flats from physical 0 (kept pixels) up, so that results overflow too.
    store.ff = RandomPlane(width, height, random, 0, 40000);
    return store;
}

void ExpectSamePixels(const ImagePlane& a, const ImagePlane& b)
{
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    a.PrepareAll();
    b.PrepareAll();
    int differing = 0;
    for (int y = 0; y <= a.Height(); ++y)
        for (int x = 0; x <= a.Width(); ++x)
            differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0);
}

TEST(CalibrateLazily, EachTileAskedForEqualsTheWholeFrameCalibrated)
{
    std::mt19937 random(17);
    // Odd sizes, a row and a column of tiles, and frames larger than the image.
    struct Case {
        int width, height, frameWidth, frameHeight;
    };
    for (const Case c : { Case { 131, 67, 131, 67 }, Case { 1, 201, 1, 201 }, Case { 97, 3, 150, 70 } }) {
        ImageStore store = Store(c.frameWidth, c.frameHeight, random);
        const ImagePlane frame = RandomPlane(c.width, c.height, random, 0, 65534);
        const float mean = *FlatMean(store.ff, frame, c.width, c.height);
        ImagePlane whole = frame;
        Calibrate(whole, &store.ds, &store.ff, mean);
        ImagePlane tiled = frame;
        CalibrateLazily(tiled, &store.ds, &store.ff, mean);
        const int w = c.width;
        const int h = c.height;
        // Corners, edges, the middle asked for twice, a window across tiles
        // already done, one outside the image.
        for (const CellRect window : { CellsAround(1, 1, 0), CellsAround(w, h, 2), CellsAround(1, h, 3),
                 CellsAround(w, 1, 1), CellsAround(w / 2, h / 2, 1), CellsAround(w / 2, h / 2, 1),
                 CellRect { 1, h / 2, w, h / 2 }, CellsAround(w / 2, h / 2, 40), CellsAround(-5, h + 9, 3) }) {
            tiled.Prepare(window);
            for (int y = std::max(window.bottom, 1); y <= std::min(window.top, h); ++y)
                for (int x = std::max(window.left, 1); x <= std::min(window.right, w); ++x)
                    ASSERT_EQ(tiled.At(x, y), whole.At(x, y)) << x << ", " << y;
        }
        ExpectSamePixels(tiled, whole);
    }
}

TEST(SeriesCalibration, GivesExactlyWhatDarkSubtractThenFlatFieldGive)
{
    std::mt19937 random(11);
    for (const auto& [dark, flat] :
        { std::pair { true, true }, std::pair { false, true }, std::pair { true, false } }) {
        // Taller than the rows the cut proposal holds back, so rows are
        // calibrated both during the read and after it.
        ImageStore store = Store(67, 41, random);
        const ImagePlane frame = RandomPlane(67, 41, random, 0, 65534);
        ImagePlane expected = frame;
        if (dark) {
            ASSERT_TRUE(DarkSubtract(expected, store.ds));
        }
        if (flat) {
            ASSERT_TRUE(FlatField(expected, store.ff, *FlatMean(store.ff, frame, 67, 41)));
        }
        SeriesCalibration calibration(dark, flat);
        const SeriesCalibrationOutcome outcome = ReadFrame(calibration, store, frame);
        EXPECT_FALSE(outcome.darkRefused);
        EXPECT_FALSE(outcome.flatRefused);
        ExpectSamePixels(store.img, expected);
    }
}

TEST(SeriesCalibration, RefusesFramesSmallerThanTheImage)
{
    std::mt19937 random(3);
    ImageStore store = Store(20, 10, random);
    store.ds = RandomPlane(20, 9, random, 0, 100);
    store.ff = RandomPlane(19, 10, random, 1, 100);
    const ImagePlane frame = RandomPlane(20, 10, random, 0, 65534);
    SeriesCalibration both(true, true);
    const SeriesCalibrationOutcome outcome = ReadFrame(both, store, frame);
    EXPECT_TRUE(outcome.darkRefused);
    EXPECT_TRUE(outcome.flatRefused);
    ExpectSamePixels(store.img, frame);
}

TEST(SeriesCalibration, AFrameOfAnotherSizeGetsItsOwnFlatMean)
{
    std::mt19937 random(5);
    ImageStore store = Store(30, 20, random);
    SeriesCalibration calibration(false, true);
    ReadFrame(calibration, store, RandomPlane(30, 20, random, 100, 5000));

    // The next frame is smaller: the flat's mean now covers its cells only.
    const ImagePlane frame = RandomPlane(12, 8, random, 100, 5000);
    ImagePlane expected = frame;
    FlatField(expected, store.ff, *FlatMean(store.ff, frame, 12, 8));
    ReadFrame(calibration, store, frame);
    ExpectSamePixels(store.img, expected);
}

TEST(SeriesCalibration, ProposesCutsFromTheFrameAsReadAndCalibratesRowsMissingFromIt)
{
    std::mt19937 random(9);
    ImageStore store = Store(40, 60, random);
    const ImagePlane frame = RandomPlane(40, 60, random, 2000, 65534);

    // The file ends inside row 30 of the file (y = 31): the rest reads as 0.
    const test::TempDir folder;
    const std::string fileName = folder.File("cut.002");
    test::WriteFileBytes(fileName, test::PlaneFileBytes(frame).substr(0, 2880 + 2 * (29 * 40 + 17)));
    ImagePlane asRead = frame;
    for (int y = 1; y <= 31; ++y)
        for (int x = y == 31 ? 18 : 1; x <= 40; ++x)
            asRead.At(x, y) = 0;
    ImagePlane expected = asRead;
    DarkSubtract(expected, store.ds);
    FlatField(expected, store.ff, *FlatMean(store.ff, asRead, 40, 60));

    UniformRandom cutDraws;
    const DisplayCuts cuts = ProposeCuts(asRead, cutDraws);
    UniformRandom readDraws;
    SeriesCalibrationOutcome outcome;
    SeriesCalibration calibration(true, true);
    const FitsReadResult read = calibration.Read(store, fileName, readDraws, outcome);
    EXPECT_EQ(read.status, FitsReadStatus::Truncated);
    ASSERT_TRUE(read.cuts);
    EXPECT_EQ(*read.cuts, cuts);
    ExpectSamePixels(store.img, expected);
}

} // namespace
} // namespace lumvane
