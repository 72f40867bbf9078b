#include "core/patrol/SeriesNaming.h"
#include "core/patrol/PatrolWalk.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

TEST(SeriesStem, EndsAtTheLastDotOfTheFileNameItselfWhoseNumberStartsTheSeries)
{
    const struct {
        const char* first;
        const char* stem;
        int number;
    } cases[] = {
        { "/obs/m31.001", "/obs/m31", 1 },
        { "/obs/m31.010", "/obs/m31", 10 }, // the series goes on with .011
        { "C:\\obs\\m31.001", "C:\\obs\\m31", 1 },
        { "/my.data/m31.001", "/my.data/m31", 1 }, // a dot in a folder's name is no extension
        { "./obs/m31.001", "./obs/m31", 1 },
        { "/home/ann/.local/m31.5", "/home/ann/.local/m31", 5 },
        { "/obs/m31.v.001", "/obs/m31.v", 1 },
        { "/my.data/m31", "/my.data/m31", 1 }, // no dot in the file name: the whole name
        { "m31.fts", "m31", 1 }, // no number: the first of its series
        { "m31.1234", "m31", 1 },
        { "m31.-12", "m31", 1 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SeriesStem(c.first), c.stem) << c.first;
        EXPECT_EQ(SeriesFirstNumber(c.first), c.number) << c.first;
    }
}

TEST(SeriesFileName, HasThreeDigitsAndEndsAfter999)
{
    EXPECT_EQ(SeriesFileName("/obs/m31", 2), "/obs/m31.002");
    EXPECT_EQ(SeriesFileName("/obs/m31", 10), "/obs/m31.010");
    EXPECT_EQ(SeriesFileName("/obs/m31", 100), "/obs/m31.100");
    EXPECT_EQ(SeriesFileName("/obs/m31", 999), "/obs/m31.999");
    EXPECT_EQ(SeriesFileName("/obs/m31", 1000), std::nullopt);
    EXPECT_EQ(SeriesFileName("/obs/m31", 0), std::nullopt);
}

TEST(CountFollowingSeriesFiles, CountsTheFilesInARowFromTheSecond)
{
    test::TempDir dir;
    for (const char* name : { "m31.001", "m31.002", "m31.003", "m31.004", "m31.006", "m31x.005", "m31.02" })
        test::WriteFileBytes(dir.File(name), "x");
    // .005 is missing: .006 is never reached, and other stems don't count.
    EXPECT_EQ(CountFollowingSeriesFiles(dir.File("m31.001")), 3);
    // The walk goes on from the first file's own number.
    EXPECT_EQ(CountFollowingSeriesFiles(dir.File("m31.002")), 2);
    EXPECT_EQ(CountFollowingSeriesFiles(dir.File("m31.004")), 0);
    // The first file itself needn't exist for the count.
    EXPECT_EQ(CountFollowingSeriesFiles(dir.File("m31.xyz")), 3);
    EXPECT_EQ(CountFollowingSeriesFiles(dir.File("m42.001")), 0);
}

TEST(CountFollowingSeriesFiles, StopsWhereTheNumbersEnd)
{
    test::TempDir dir;
    for (int n = 1; n <= 999; ++n)
        test::WriteFileBytes(*SeriesFileName(dir.File("s"), n), "");
    EXPECT_EQ(CountFollowingSeriesFiles(dir.File("s.001")), 998);
}

TEST(PatrolSearchRadius, St1SearchesWiderThanTheOtherStars)
{
    const struct {
        double box;
        int st1;
        int stars;
    } cases[] = {
        { 2, 7, 2 }, { 6, 13, 6 }, { 0, 3, 0 }, { 2.5, 8, 2 }, { 5, 13, 5 }, { 4.7, 12, 4 },
        { 20, 13, 13 }, // both kept to 13
        { -3, 0, 0 }, // and to 0
    };
    for (const auto& c : cases) {
        EXPECT_EQ(St1SearchRadius(c.box), c.st1) << c.box;
        EXPECT_EQ(CentreSearchRadius(c.box), c.stars) << c.box;
    }
}

} // namespace
} // namespace lumvane
