#include "core/image/Flips.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumvane {
namespace {

// The plane's rows from the top (y = H) down, as physical counts.
std::vector<std::vector<int>> Rows(const ImagePlane& plane)
{
    std::vector<std::vector<int>> rows;
    for (int y = plane.Height(); y >= 1; --y) {
        rows.emplace_back();
        for (int x = 1; x <= plane.Width(); ++x)
            rows.back().push_back(Physical(plane.At(x, y)));
    }
    return rows;
}

ImagePlane FromRows(const std::vector<std::vector<int>>& rows)
{
    ImagePlane plane(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int y = plane.Height(); y >= 1; --y)
        for (int x = 1; x <= plane.Width(); ++x)
            plane.At(x, y) = static_cast<std::int16_t>(
                rows[static_cast<std::size_t>(plane.Height() - y)][static_cast<std::size_t>(x - 1)] - kPhysicalOffset);
    return plane;
}

TEST(Flips, MirrorTheThreeByTwoExample)
{
    ImagePlane img = FromRows({ { 1, 2, 3 }, { 4, 5, 6 } });
    // The marks go with their pixels: the 1 saturated, the row 4 5 6 missing.
    img.SetSaturated(1, 2, true);
    img.SetRowMissing(1, true);
    FlipHorizontal(img);
    EXPECT_EQ(Rows(img), (std::vector<std::vector<int>> { { 3, 2, 1 }, { 6, 5, 4 } }));
    EXPECT_TRUE(img.Saturated(3, 2) && !img.Saturated(1, 2));
    FlipHorizontal(img);
    FlipVertical(img);
    EXPECT_EQ(Rows(img), (std::vector<std::vector<int>> { { 4, 5, 6 }, { 1, 2, 3 } }));
    EXPECT_TRUE(img.Saturated(1, 1) && !img.Saturated(1, 2) && !img.Saturated(3, 2));
    EXPECT_TRUE(img.RowMissing(2) && !img.RowMissing(1));
    EXPECT_EQ(img.At(0, 1), 0);
    EXPECT_EQ(img.At(1, 0), 0);
}

TEST(Flips, OddSizesKeepTheMiddleAndTwiceRestores)
{
    const std::vector<std::vector<int>> rows = { { 1, 2, 3, 4, 5 }, { 6, 7, 8, 9, 10 }, { 11, 12, 13, 14, 15 } };
    ImagePlane img = FromRows(rows);
    FlipHorizontal(img);
    EXPECT_EQ(Rows(img)[1][2], 8);
    FlipVertical(img);
    EXPECT_EQ(Rows(img)[1], (std::vector<int> { 10, 9, 8, 7, 6 }));
    FlipVertical(img);
    FlipHorizontal(img);
    EXPECT_EQ(Rows(img), rows);
}

} // namespace
} // namespace lumvane
