#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace lumvane {
namespace {

using Rgb = std::array<int, 3>;

// The palette colours of the levels used below.
constexpr Rgb kLevel0 { 0, 0, 0 };
constexpr Rgb kLevel1 { 0, 0, 128 };
constexpr Rgb kLevel4 { 128, 0, 0 };
constexpr Rgb kLevel7 { 192, 192, 192 };
constexpr Rgb kLevel8 { 128, 128, 128 };
constexpr Rgb kLevel10 { 0, 255, 0 };
constexpr Rgb kLevel14 { 255, 255, 0 };
constexpr Rgb kLevel15 { 255, 255, 255 };

// Writes physical counts given row by row from the top (the file's order).
void WriteImage(const std::string& fileName, int width, const std::vector<int>& topRowFirst)
{
    std::vector<std::int16_t> raw;
    for (const int physical : topRowFirst)
        raw.push_back(static_cast<std::int16_t>(physical - 32768));
    const int height = static_cast<int>(topRowFirst.size()) / width;
    test::WriteWithCfitsio(fileName, width, height, raw, 32768.0, 1.0);
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t offset)
{
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1]) << 8
        | static_cast<unsigned char>(bytes[offset + 2]) << 16
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + 3])) << 24;
}

// The pixels of a 24-bit bitmap, top row first.
std::vector<Rgb> BitmapPixels(const std::string& fileName, int& width, int& height)
{
    const std::string bytes = test::ReadFileBytes(fileName);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    width = static_cast<int>(LittleEndian(bytes, 18));
    height = static_cast<int>(LittleEndian(bytes, 22));
    const std::size_t data = LittleEndian(bytes, 10);
    const std::size_t rowSize = (3 * static_cast<std::size_t>(width) + 3) / 4 * 4;
    std::vector<Rgb> pixels;
    for (int row = 0; row < height; ++row) {
        const std::size_t start = data + static_cast<std::size_t>(height - 1 - row) * rowSize;
        for (int column = 0; column < width; ++column) {
            const std::size_t at = start + 3 * static_cast<std::size_t>(column);
            pixels.push_back({ static_cast<unsigned char>(bytes[at + 2]), static_cast<unsigned char>(bytes[at + 1]),
                static_cast<unsigned char>(bytes[at]) });
        }
    }
    return pixels;
}

TEST(RenderCommand, DrawsEachPixelInThePaletteColourOfItsLevel)
{
    test::TempDir dir;
    const std::string image = dir.File("levels.fts");
    // Linear, cuts 1000 and 2500: a level every 100 counts, 15 from 2500 on.
    WriteImage(image, 6,
        { 900, 1099, 1100, 2499, 2500, 65000, // top row, y = 3
            1850, 1000, 2400, 1400, 1700, 2000, // y = 2
            0, 2500, 1000, 1000, 1000, 1000 }); // y = 1
    const std::string bitmap = dir.File("levels.bmp");
    const test::CliRun run = test::RunCli({ "render", image, "--black", "1000", "--white", "2500", "-o", bitmap });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "black_cut: 1000\nwhite_cut: 2500\nscale: linear\nsize: 6 x 3\n");

    int width = 0;
    int height = 0;
    const std::vector<Rgb> pixels = BitmapPixels(bitmap, width, height);
    EXPECT_EQ(width, 6);
    EXPECT_EQ(height, 3);
    const std::vector<Rgb> expected = {
        kLevel0,
        kLevel0,
        kLevel1,
        kLevel14,
        kLevel15,
        kLevel15,
        kLevel8,
        kLevel0,
        kLevel14,
        kLevel4,
        kLevel7,
        kLevel10,
        kLevel0,
        kLevel15,
        kLevel0,
        kLevel0,
        kLevel0,
        kLevel0,
    };
    EXPECT_EQ(pixels, expected);
}

TEST(RenderCommand, UsesTheProposedCutsLogScaleAndTheDefaultsForZero)
{
    test::TempDir dir;
    const std::string image = dir.File("field.fts");
    // 1000 where the cut proposal samples (15..25), so the cuts are 950 and
    // 1950; 1450 elsewhere gives (15 x 500) / 1000 = 7.5, level 7.
    std::vector<int> values;
    for (int row = 0; row < 30; ++row) {
        const int y = 30 - row;
        for (int x = 1; x <= 30; ++x)
            values.push_back(x >= 15 && x <= 25 && y >= 15 && y <= 25 ? 1000 : 1450);
    }
    WriteImage(image, 30, values);
    const std::string bitmap = dir.File("field.bmp");
    int width = 0;
    int height = 0;

    test::CliRun run = test::RunCli({ "render", image, "-o", bitmap });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "black_cut: 950\nwhite_cut: 1950\nscale: linear\nsize: 30 x 30\n");
    std::vector<Rgb> pixels = BitmapPixels(bitmap, width, height);
    EXPECT_EQ(pixels[0], kLevel7);
    EXPECT_EQ(pixels[static_cast<std::size_t>((30 - 20) * 30 + 19)], kLevel0); // image point (20, 20)

    // Log with the white cut proposed: 15 ln(1450 / 100) / ln(1950 / 100) =
    // 13.5 gives level 13, and 15 ln(1000 / 100) / ln(19.5) = 11.6 level 11.
    run = test::RunCli({ "render", image, "--log", "--black", "100", "-o", bitmap });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "black_cut: 100\nwhite_cut: 1950\nscale: log\nsize: 30 x 30\n");
    pixels = BitmapPixels(bitmap, width, height);
    EXPECT_EQ(pixels[0], (Rgb { 255, 0, 255 }));
    EXPECT_EQ(pixels[static_cast<std::size_t>((30 - 20) * 30 + 19)], (Rgb { 0, 255, 255 }));

    run = test::RunCli({ "render", image, "--black", "0", "--white", "0.9", "-o", bitmap });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "black_cut: 200\nwhite_cut: 700\nscale: linear\nsize: 30 x 30\n");
    pixels = BitmapPixels(bitmap, width, height);
    EXPECT_EQ(pixels[0], kLevel15);
}

TEST(RenderCommand, BadInputGivesAMessageAndNonZeroExit)
{
    test::TempDir dir;
    const std::string image = dir.File("small.fts");
    WriteImage(image, 2, { 1, 2, 3, 4 });

    const test::CliRun missing = test::RunCli({ "render", dir.File("none.fts"), "-o", dir.File("none.bmp") });
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(
        missing.err, "lumvane-cli render: Cannot open file " + dir.File("none.fts") + ": No such file or directory\n");

    EXPECT_EQ(test::RunCli({ "render", image }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "render", image, "--black", "dark", "-o", dir.File("x.bmp") }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "render", image, "--gamma", "2", "-o", dir.File("x.bmp") }).exitCode, 1);
}

} // namespace
} // namespace lumvane
