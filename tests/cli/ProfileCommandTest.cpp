#include "core/image/FitsReader.h"
#include "core/profile/Profile.h"
#include "core/profile/ProfileDataFile.h"

#include "support/CliRunner.h"
#include "support/FitsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumvane {
namespace {

/// A 60 x 40 image with a bright diagonal ridge, written by CFITSIO.
std::string WriteRidgeImage(const test::TempDir& dir)
{
    const std::string name = dir.File("ridge.fts");
    std::vector<std::int16_t> values;
    for (int row = 0; row < 40; ++row)
        for (int column = 0; column < 60; ++column)
            values.push_back(
                static_cast<std::int16_t>(1000 + 17 * column + 5 * row + (column == row + 10 ? 20000 : 0)));
    test::WriteWithCfitsio(name, 60, 40, values, 0.0, 1.0);
    return name;
}

/// The data-file text the core gives for the file, read by the core's reader.
std::string CoreText(const std::string& fileName, const ProfileLine& line, const ProfileSettings& settings)
{
    ImageStore store;
    UniformRandom random;
    store.files.SetCurrentFile(1);
    EXPECT_EQ(ReadFitsImage(store, fileName, PlaneId::Img, random).status, FitsReadStatus::Read);
    const ProfileResult profile = ComputeProfile(store.img, line, settings, false);
    EXPECT_TRUE(profile.HasPoints());
    return ProfileDataText(profile.values);
}

TEST(ProfileCommand, PrintsTheCoresDataFileText)
{
    test::TempDir dir;
    const std::string image = WriteRidgeImage(dir);

    const test::CliRun plain = test::RunCli({ "profile", image, "--from", "3,20", "--to", "55.5,8" });
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    const std::string expected = CoreText(image, { 3.0f, 20.0f, 55.5f, 8.0f }, { 1, false });
    EXPECT_EQ(plain.out, expected);
    EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), 53); // length 53.86

    const test::CliRun wideLog
        = test::RunCli({ "profile", image, "--from", "3,20", "--to", "55.5,8", "--width", "4.7", "--log" });
    EXPECT_EQ(wideLog.exitCode, 0) << wideLog.err;
    EXPECT_EQ(wideLog.out, CoreText(image, { 3.0f, 20.0f, 55.5f, 8.0f }, { 4, true }));
    EXPECT_NE(wideLog.out, expected);

    const std::string data = dir.File("prof.dat");
    const test::CliRun saved = test::RunCli({ "profile", image, "--from", "3,20", "--to", "55.5,8", "-o", data });
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(saved.out, "");
    EXPECT_EQ(test::ReadFileBytes(data), expected);
}

TEST(ProfileCommand, BadInputGivesAMessageAndNonZeroExit)
{
    test::TempDir dir;
    const std::string image = WriteRidgeImage(dir);
    const test::CliRun missing = test::RunCli({ "profile", dir.File("none.fts"), "--from", "1,1", "--to", "9,9" });
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(
        missing.err, "lumvane-cli profile: Cannot open file " + dir.File("none.fts") + ": No such file or directory\n");

    const test::CliRun shortLine = test::RunCli({ "profile", image, "--from", "10,10", "--to", "10.5,10.5" });
    EXPECT_EQ(shortLine.exitCode, 1);
    EXPECT_EQ(shortLine.out, "");
    EXPECT_NE(shortLine.err, "");

    EXPECT_EQ(test::RunCli({ "profile", image, "--from", "1,1" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "profile", image, "--from", "1", "--to", "9,9" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "profile", image, "--from", "1,1", "--to", "9,9", "--width", "wide" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "profile", image, "--from", "1,1", "--to", "9,9", "--width", "1e9" }).exitCode, 1);
    EXPECT_EQ(test::RunCli({ "profile", image, "--from", "1,1", "--to", "9e30,9" }).exitCode, 1);
}

} // namespace
} // namespace lumvane
