#pragma once

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include "core/image/FitsReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace lumvane {

constexpr int kSampleSide = 512;

/// St1, three comparison stars and the variable of the sample observation,
/// near their places on field.001.
const char* const kStars = "# sample field\n"
                           "St1 150 361\n"
                           "St2 373 398   # constant\n"
                           "St3 118 132\n"
                           "St4 404 170\n"
                           "Var1 263 259\n";

/// The sample observation written by `lumvane-cli sample` into a fresh folder.
class SampleSeries {
public:
    SampleSeries()
    {
        const test::CliRun run = test::RunCli({ "sample", m_dir.Path().string() });
        EXPECT_EQ(run.exitCode, 0) << run.err;
        test::WriteFileBytes(Stars(), kStars);
    }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    std::string Stars() const { return m_dir.File("stars.txt"); }

private:
    test::TempDir m_dir;
};

/// Replaces the pixels within `radius` of (x, y) on a sample frame by flat
/// sky: a star hidden there, or the whole frame under clouds.
inline void Hide(const std::string& fileName, double x0, double y0, double radius)
{
    ImageStore store;
    UniformRandom random;
    const long long header = ReadFitsImage(store, fileName, PlaneId::Img, random).headerBytes;
    std::string bytes = test::ReadFileBytes(fileName);
    // 1700 counts, about the sky and dark of the frame, as raw - 32768 big-endian.
    const auto raw = static_cast<std::uint16_t>(1700 - 32768);
    for (int y = 1; y <= kSampleSide; ++y)
        for (int x = 1; x <= kSampleSide; ++x)
            if (std::hypot(x - x0, y - y0) <= radius) {
                const auto at = static_cast<std::size_t>(header + 2LL * ((kSampleSide - y) * kSampleSide + x - 1));
                bytes[at] = static_cast<char>(raw >> 8);
                bytes[at + 1] = static_cast<char>(raw & 0xFF);
            }
    test::WriteFileBytes(fileName, bytes);
}

} // namespace lumvane
