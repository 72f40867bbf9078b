#include "core/display/BmpWriter.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace lumvane {
namespace {

std::uint32_t LittleEndian(const std::string& bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

TEST(WriteBmp, WritesA24BitBitmapFromTheBottomRowUpWithPaddedRows)
{
    test::TempDir dir;
    const std::string name = dir.File("picture.bmp");
    // 3 x 2: top row red, green, blue; bottom row white, black, grey.
    const RgbImage picture { 3, 2, { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080 } };
    const WriteResult result = WriteBmp(name, picture);
    ASSERT_TRUE(result.written) << result.reason;

    const std::string bytes = test::ReadFileBytes(name);
    ASSERT_EQ(bytes.size(), 54U + 2 * 12); // 9 bytes of pixels padded to 12
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(LittleEndian(bytes, 2, 4), bytes.size());
    EXPECT_EQ(LittleEndian(bytes, 10, 4), 54U);
    EXPECT_EQ(LittleEndian(bytes, 14, 4), 40U);
    EXPECT_EQ(LittleEndian(bytes, 18, 4), 3U);
    EXPECT_EQ(LittleEndian(bytes, 22, 4), 2U);
    EXPECT_EQ(LittleEndian(bytes, 28, 2), 24U);
    EXPECT_EQ(LittleEndian(bytes, 30, 4), 0U);
    const std::string bottom("\xFF\xFF\xFF\x00\x00\x00\x80\x80\x80\0\0\0", 12);
    const std::string top("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\0\0\0", 12);
    EXPECT_EQ(bytes.substr(54), bottom + top);
}

} // namespace
} // namespace lumvane
