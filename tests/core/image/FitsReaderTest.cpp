#include "core/image/FitsReader.h"

#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

using test::Card;
using test::DataBlocks;
using test::HeaderBlocks;
using test::ImageCards;
using test::ValueCard;

class FitsReaderTest : public ::testing::Test {
protected:
    // Writes a file of the given cards and file-order values and reads it.
    FitsReadResult Read(
        const std::vector<std::string>& cards, const std::vector<std::int16_t>& values, PlaneId plane = PlaneId::Img)
    {
        const std::string name = dir.File("image.fts");
        test::WriteFileBytes(name, HeaderBlocks(cards) + DataBlocks(values));
        return ReadFitsImage(store, name, plane, random);
    }

    static std::vector<std::string> With(std::vector<std::string> cards, const std::vector<std::string>& more)
    {
        cards.insert(cards.end(), more.begin(), more.end());
        return cards;
    }

    test::TempDir dir;
    ImageStore store;
    UniformRandom random;
};

TEST_F(FitsReaderTest, PhysicalValuesRoundHalfToEvenAndClipTo0To65534)
{
    const struct {
        const char* what;
        std::vector<std::string> scaleCards;
        std::vector<std::int16_t> raw;
        std::vector<int> physical; // worked out by hand
    } cases[] = {
        { "unsigned data", { ValueCard("BZERO", "32768"), ValueCard("BSCALE", "1") },
            { -32768, 0, 32766, 32767, 32765 }, { 0, 32768, 65534, 65534, 65533 } },
        { "signed data", {}, { -1, -32768, 0, 1000 }, { 0, 0, 0, 1000 } },
        // 0.5 s + 1000 less the offset 32767: -31765.5 and -31764.5 go to the even neighbour.
        { "other scale", { ValueCard("BSCALE", "0.5"), ValueCard("BZERO", "1000") }, { 3, 5, -4000 },
            { 1001, 1003, 0 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int width = static_cast<int>(c.raw.size());
        ASSERT_EQ(Read(With(ImageCards(width, 1), c.scaleCards), c.raw).status, FitsReadStatus::Read);
        for (int x = 1; x <= width; ++x) {
            const int physical = c.physical[static_cast<std::size_t>(x - 1)];
            EXPECT_EQ(Physical(store.img.At(x, 1)), physical) << x;
            // The top of the range is marked saturated, whatever calibration does later.
            EXPECT_EQ(store.img.Saturated(x, 1), physical == 65534) << x;
        }
    }
}

TEST_F(FitsReaderTest, FirstFileRowIsTheTopOfThePicture)
{
    Read(ImageCards(3, 2), { 1, 2, 3, 4, 5, 6 });
    EXPECT_EQ(Physical(store.img.At(1, 2)), 1);
    EXPECT_EQ(Physical(store.img.At(3, 2)), 3);
    EXPECT_EQ(Physical(store.img.At(1, 1)), 4);
    EXPECT_EQ(Physical(store.img.At(3, 1)), 6);
    EXPECT_EQ(store.img.At(0, 1), 0); // column 0 and row 0 are never filled
    EXPECT_EQ(store.img.At(2, 0), 0);
    EXPECT_EQ(store.img.Width(), 3);
    EXPECT_EQ(store.img.Height(), 2);
}

TEST_F(FitsReaderTest, HeaderEndsWithTheBlockHoldingItsEndCard)
{
    for (const std::size_t fillerCards : { 0U, 17U, 40U, 80U }) {
        auto cards = ImageCards(2, 2);
        for (std::size_t i = 0; i < fillerCards; ++i)
            cards.push_back(Card("COMMENT the END of a sentence does not end the header"));
        const auto result = Read(cards, { 10, 20, 30, 40 });
        const auto blocks = (cards.size() + 1 + 35) / 36;
        EXPECT_EQ(result.headerBytes, static_cast<long long>(blocks * 2880)) << fillerCards;
        EXPECT_EQ(Physical(store.img.At(1, 2)), 10) << fillerCards;
        EXPECT_EQ(Physical(store.img.At(2, 1)), 40) << fillerCards;
    }
}

TEST_F(FitsReaderTest, KeywordsAreCardNamesNeverTextInsideOtherCards)
{
    Read(With(ImageCards(1, 1),
             {
                 Card("COMMENT BZERO = 5000 and TEMPERAT = 99"),
                 ValueCard("CAM-TEMP", "-106.22 / CAMERA TEMPERATURE"),
                 ValueCard("XEXPTIME", "77"),
                 ValueCard("EXPTIME", "12 / seconds"),
                 ValueCard("EXPTIME", "99 / a second card of the name does not count"),
             }),
        { 0 });
    EXPECT_EQ(store.header.bzero, 0.0F);
    EXPECT_EQ(store.header.temperature, 0.0F);
    EXPECT_EQ(store.header.exposure, 12);
}

TEST_F(FitsReaderTest, ExposureFallsBackToExposureThenItimeAndRoundsHalfToEven)
{
    Read(With(ImageCards(1, 1), { ValueCard("EXPTIME", "0.4"), ValueCard("EXPOSURE", "30") }), { 0 });
    EXPECT_EQ(store.header.exposure, 30);
    Read(With(ImageCards(1, 1), { ValueCard("ITIME", "45"), ValueCard("CCD-TEMP", "-30.5") }), { 0 });
    EXPECT_EQ(store.header.exposure, 45);
    EXPECT_EQ(store.header.temperature, -30.5F);
    Read(With(ImageCards(1, 1), { ValueCard("EXPTIME", "2.5") }), { 0 });
    EXPECT_EQ(store.header.exposure, 2);
    Read(With(ImageCards(1, 1), { ValueCard("EXPTIME", "1.5D1") }), { 0 });
    EXPECT_EQ(store.header.exposure, 15);
    Read(With(ImageCards(1, 1), { ValueCard("EXPTIME", "40000") }), { 0 });
    EXPECT_EQ(store.header.exposure, 0); // out of 16-bit range: not stored
}

TEST_F(FitsReaderTest, EachHeaderStandsAloneWithoutScaleAndZero)
{
    Read(With(ImageCards(1, 1), { ValueCard("BZERO", "32768"), ValueCard("BSCALE", "2") }), { -32768 });
    EXPECT_EQ(store.header.bzero, 32768.0F);
    Read(ImageCards(1, 1), { 59 });
    EXPECT_EQ(store.header.bzero, 0.0F);
    EXPECT_EQ(store.header.bscale, 1.0F);
    EXPECT_EQ(Physical(store.img.At(1, 1)), 59); // not 32827 with the other file's BZERO
    Read(With(ImageCards(1, 1), { ValueCard("BSCALE", "0") }), { 0 });
    EXPECT_EQ(store.header.bscale, 1.0F);
}

TEST_F(FitsReaderTest, TextFieldsAndTheFileEntry)
{
    store.files.SetCurrentFile(6);
    Read(With(ImageCards(512, 1),
             { ValueCard("FILTER", "'R'"), Card("HISTORY   flat-fielded with flat.fts"), ValueCard("TEMPERAT", "-20.5"),
                 ValueCard("EXPTIME", "30"), ValueCard("OBJCTRA", "'05 34 31.94' / target"),
                 ValueCard("OBJCTDEC", "'+22 00 52.2'"), ValueCard("AIRMASS", "1.25") }),
        std::vector<std::int16_t>(512, 0));
    EXPECT_EQ(store.header.filter, "R         "); // without the closing quote
    EXPECT_EQ(store.header.history, "flat-field");
    EXPECT_EQ(store.header.temperature, -20.5F);
    EXPECT_EQ(store.header.naxis1, 512);
    EXPECT_EQ(store.header.headerText.size(), 5760U);
    EXPECT_EQ(store.header.headerText.substr(0, 6), "SIMPLE");

    const FileEntry& entry = store.files.Entry(6);
    EXPECT_EQ(entry.filter, 'R');
    EXPECT_EQ(entry.exposure, 30.0F);
    ASSERT_TRUE(entry.target.has_value());
    EXPECT_NEAR(entry.target->rightAscension, 83.633083, 1e-6);
    EXPECT_NEAR(entry.target->declination, 22.0145, 1e-6);
    EXPECT_EQ(entry.filterName, "R");
    EXPECT_EQ(entry.airmass, 1.25);
    const std::string path = dir.File("image.fts");
    EXPECT_EQ(entry.name, path.substr(path.size() - 12)); // the last 12 characters of the path
    EXPECT_EQ(store.files.Entry(5).name, std::string(12, ' '));

    const std::string shortName = "a.fts";
    test::WriteFileBytes(dir.File("a.fts"), HeaderBlocks(ImageCards(1, 1)) + DataBlocks({ 0 }));
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    ReadFitsImage(store, shortName, PlaneId::Img, random);
    std::filesystem::current_path(cwd);
    EXPECT_EQ(store.files.Entry(6).name, "a.fts       ");
    // Without HISTORY, FILTER, target or airmass cards.
    EXPECT_EQ(store.header.history, std::string(10, ' '));
    EXPECT_EQ(store.header.filter, std::string(10, ' '));
    EXPECT_EQ(store.files.Entry(6).filter, ' ');
    EXPECT_EQ(store.files.Entry(6).filterName, "");
    EXPECT_FALSE(store.files.Entry(6).target.has_value());
    EXPECT_FALSE(store.files.Entry(6).airmass.has_value());
}

struct DateCase {
    std::vector<std::string> cards;
    const char* date;
    const char* time;
    std::optional<UtcTime> start;
};

TEST_F(FitsReaderTest, DateAndTimeComeFromTheFilesOwnCards)
{
    const DateCase cases[] = {
        { { ValueCard("DATE-OBS", "'2026-12-06T21:15:30.5'") }, "2026-12-06", "21:15:30",
            UtcTime { 2026, 12, 6, 21, 15, 30.5 } },
        { { ValueCard("DATE-OBS", "'2013-07-13'"), ValueCard("UT", "'00:57:33'") }, "2013-07-13", "00:57:33",
            UtcTime { 2013, 7, 13, 0, 57, 33.0 } },
        { { ValueCard("DATE-OBS", "'05/04/87'"), ValueCard("UT", "' 9:27:27.00'") }, "05/04/87", " 9:27:27",
            UtcTime { 1987, 4, 5, 9, 27, 27.0 } },
        { { ValueCard("DATE-OBS", "'2026-01-02'"), ValueCard("TIME-OBS", "'00:15:00'"), ValueCard("UT", "'03:00:00'") },
            "2026-01-02", "00:15:00", UtcTime { 2026, 1, 2, 0, 15, 0.0 } },
        { { ValueCard("DATE", "'12/11/98'"), ValueCard("UTSTART", "'01:02:03'") }, "12/11/98", "01:02:03",
            UtcTime { 1998, 11, 12, 1, 2, 3.0 } },
        { { ValueCard("DATE-OBS", "'2026-12-06'") }, "2026-12-06", "        ", std::nullopt },
        { { ValueCard("TIME", "'22:00:00'") }, "        ", "22:00:00", std::nullopt },
        { { ValueCard("DATE-OBS", "'garbage!'"), ValueCard("TIME-OBS", "'99:99:99'") }, "garbage!", "99:99:99",
            std::nullopt },
    };
    for (const auto& c : cases) {
        Read(With(ImageCards(1, 1), c.cards), { 0 });
        EXPECT_EQ(store.header.date, c.date) << c.cards.front();
        EXPECT_EQ(store.header.time, c.time) << c.cards.front();
        EXPECT_EQ(store.files.Entry(0).time, std::string(c.time).substr(0, 5));
        EXPECT_EQ(store.files.Entry(0).observationStart, c.start) << c.cards.front();
    }
}

TEST_F(FitsReaderTest, CalibrationPlanesLeaveImgAndProposeNoCuts)
{
    Read(ImageCards(2, 2), { 1, 2, 3, 4 });
    const auto result = Read(ImageCards(3, 3), std::vector<std::int16_t>(9, 500), PlaneId::Ds);
    EXPECT_FALSE(result.cuts.has_value());
    EXPECT_EQ(store.img.Width(), 2);
    EXPECT_EQ(store.ds.Width(), 3);
    EXPECT_EQ(Physical(store.ds.At(3, 3)), 500);
    EXPECT_EQ(store.header.naxis1, 3); // the header values describe the dark frame
}

TEST_F(FitsReaderTest, CalibrationFramesTakeTheFileEntryButTheImageKeepsItsOwn)
{
    // As file 1 of a series: the image, then its dark and flat at the same number.
    store.files.SetCurrentFile(1);
    Read(With(ImageCards(2, 1), { ValueCard("EXPTIME", "30") }), { 1, 2 });
    Read(With(ImageCards(2, 1), { ValueCard("EXPTIME", "20") }), { 1, 2 }, PlaneId::Ds);
    Read(With(ImageCards(2, 1), { ValueCard("EXPTIME", "4") }), { 1, 2 }, PlaneId::Ff);
    EXPECT_EQ(store.files.Entry(1).exposure, 4.0F);
    EXPECT_EQ(store.files.ImageFiles().Entry(1).exposure, 30.0F);
    EXPECT_EQ(store.files.ImageFiles().CurrentFile(), 1);

    // A new image at that number is its entry again; a frame read with no image before it stays.
    Read(With(ImageCards(2, 1), { ValueCard("EXPTIME", "60") }), { 1, 2 });
    EXPECT_EQ(store.files.ImageFiles().Entry(1).exposure, 60.0F);
    store.files.SetCurrentFile(2);
    Read(With(ImageCards(2, 1), { ValueCard("EXPTIME", "20") }), { 1, 2 }, PlaneId::Ds);
    EXPECT_EQ(store.files.ImageFiles().Entry(2).exposure, 20.0F);
}

TEST_F(FitsReaderTest, OtherBitpixIsReportedAndLeavesThePlane)
{
    Read(ImageCards(2, 1), { 1, 2 });
    const auto result = Read(ImageCards(2, 1, -32), { 0, 0, 0, 0 });
    EXPECT_EQ(result.status, FitsReadStatus::NotSixteenBit);
    EXPECT_EQ(result.message, "This file most probably is not in a 16 bit FITS format and might not be displayed");
    EXPECT_TRUE(result.headerRecorded);
    EXPECT_EQ(store.header.bitpix, -32);
    EXPECT_EQ(Physical(store.img.At(2, 1)), 2);
    EXPECT_FALSE(result.cuts.has_value());

    test::WriteFileBytes(dir.File("empty.fts"), "");
    EXPECT_EQ(ReadFitsImage(store, dir.File("empty.fts"), PlaneId::Img, random).status, FitsReadStatus::NotSixteenBit);
    EXPECT_EQ(store.header.bitpix, 0);
}

TEST_F(FitsReaderTest, ShortFilesKeepTheRowsReadAndWarn)
{
    Read(ImageCards(2, 3), std::vector<std::int16_t>(6, 9)); // a frame of the same size first
    const std::string name = dir.File("short.fts");
    std::string bytes = HeaderBlocks(ImageCards(2, 3)) + DataBlocks({ 1, 2, 3, 4, 5, 6 });
    bytes.resize(2880 + 6); // the first row and half of the second
    test::WriteFileBytes(name, bytes);
    const auto result = ReadFitsImage(store, name, PlaneId::Img, random);
    EXPECT_EQ(result.status, FitsReadStatus::Truncated);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(Physical(store.img.At(1, 3)), 1);
    EXPECT_EQ(Physical(store.img.At(2, 3)), 2);
    EXPECT_EQ(Physical(store.img.At(1, 2)), 3);
    EXPECT_EQ(store.img.At(2, 2), 0);
    EXPECT_EQ(store.img.At(1, 1), 0);
    // The rows not wholly in the file are marked missing, until the next read.
    EXPECT_EQ(std::vector<bool>({ store.img.RowMissing(1), store.img.RowMissing(2), store.img.RowMissing(3) }),
        std::vector<bool>({ true, true, false }));
    Read(ImageCards(2, 3), std::vector<std::int16_t>(6, 9));
    EXPECT_FALSE(store.img.AnyRowMissing());
}

} // namespace
} // namespace lumvane
