// Real CCD frames (tests/data/real, see its README) read as CFITSIO reads them.
#include "core/common/Rounding.h"
#include "core/image/FitsReader.h"

#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace lumvane {
namespace {

struct RealImage {
    const char* file;
    int width;
    int height;
    long long headerBytes;
    double tolerance; // in physical counts: nonzero only where BSCALE/BZERO are not whole
};

class RealImagesTest : public ::testing::TestWithParam<RealImage> { };

TEST_P(RealImagesTest, PixelsEqualCfitsiosReadingClippedToTheStoredRange)
{
    const RealImage& image = GetParam();
    const std::string name = test::TestDataFile(std::string("real/") + image.file);
    ImageStore store;
    UniformRandom random;
    const auto result = ReadFitsImage(store, name, PlaneId::Img, random);
    ASSERT_EQ(result.status, FitsReadStatus::Read) << result.message;
    EXPECT_EQ(result.headerBytes, image.headerBytes);
    ASSERT_EQ(store.img.Width(), image.width);
    ASSERT_EQ(store.img.Height(), image.height);

    const auto reference = test::ReadWithCfitsio(name);
    ASSERT_EQ(reference.width, image.width);
    double worst = 0.0;
    for (int row = 0; row < image.height; ++row) {
        for (int column = 0; column < image.width; ++column) {
            const double physical = reference.values[static_cast<std::size_t>(row * image.width + column)];
            const double expected = std::clamp(RoundHalfEven(physical), 0.0, 65534.0);
            const int got = Physical(store.img.At(column + 1, image.height - row));
            worst = std::max(worst, std::fabs(got - expected));
        }
    }
    EXPECT_LE(worst, image.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Frames, RealImagesTest,
    ::testing::Values(RealImage { "m51_pix.fits", 512, 512, 5760, 0.0 },
        RealImage { "m51_pix_1block.fits", 512, 512, 2880, 0.0 },
        RealImage { "saao1m_a8280271.fits", 536, 520, 2880, 0.0 },
        RealImage { "ftoolsfv_ngc1316o.fit", 440, 300, 11520, 0.0 },
        // BSCALE and BZERO are held in single precision: a value lying
        // within a rounding step of a half may round the other way.
        RealImage { "skycamt_t_e_20150608_381.fits", 1024, 1024, 11520, 1.0 }),
    [](const ::testing::TestParamInfo<RealImage>& param) {
        std::string name = param.param.file;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

TEST(RealImages, HeaderValuesOfTheIrafImage)
{
    ImageStore store;
    UniformRandom random;
    ReadFitsImage(store, test::TestDataFile("real/m51_pix.fits"), PlaneId::Img, random);
    EXPECT_EQ(store.header.date, "05/04/87");
    EXPECT_EQ(store.header.time, " 9:27:27");
    // Only a TEMPERAT card counts, not the camera temperature's comment.
    EXPECT_EQ(store.header.temperature, 0.0F);
    EXPECT_EQ(store.header.exposure, 600); // from ITIME, without EXPTIME or EXPOSURE
    EXPECT_EQ(store.header.history, "PNO-IRAF' "); // columns 11 to 20 of the first HISTORY card
    ASSERT_TRUE(store.files.Entry(0).observationStart.has_value());
    EXPECT_EQ(*store.files.Entry(0).observationStart, (UtcTime { 1987, 4, 5, 9, 27, 27.0 }));
    // The minimum of the frame is -1: it clips to physical 0.
    int lowest = 65535;
    for (int y = 1; y <= 512; ++y)
        for (int x = 1; x <= 512; ++x)
            lowest = std::min(lowest, Physical(store.img.At(x, y)));
    EXPECT_EQ(lowest, 0);
}

TEST(RealImages, HeaderValuesOfTheSaaoAndSkycamFrames)
{
    ImageStore store;
    UniformRandom random;
    ReadFitsImage(store, test::TestDataFile("real/saao1m_a8280271.fits"), PlaneId::Img, random);
    EXPECT_EQ(store.header.date, "2013-07-13");
    EXPECT_EQ(store.header.time, "00:57:33"); // the UT card, not a comment saying "UT date"
    EXPECT_EQ(store.header.exposure, 150);
    EXPECT_EQ(store.header.bzero, 32768.0F);

    ReadFitsImage(store, test::TestDataFile("real/skycamt_t_e_20150608_381.fits"), PlaneId::Img, random);
    EXPECT_EQ(store.header.date, "2015-06-09");
    EXPECT_EQ(store.header.time, "02:25:16");
    EXPECT_EQ(store.header.exposure, 10);
    EXPECT_FLOAT_EQ(store.header.bscale, 0.524503242938587F);
}

} // namespace
} // namespace lumvane
