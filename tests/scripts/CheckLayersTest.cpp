#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lumvane {
namespace {

/// A small source tree whose includes keep every rule.
const std::pair<const char*, const char*> kSoundTree[] = {
    { "src/core/common/Text.h", "#include <string>\n" },
    { "src/core/image/Plane.h", "#include \"core/common/Text.h\"\n" },
    { "src/core/results/Table.h", "#pragma once\n#include \"core/image/Plane.h\"\n#include \"Table.h\"\n" },
    { "src/gui/Window.cpp", "#include <QWidget>\n#include \"core/results/Table.h\"\n" },
    { "src/cli/main.cpp", "#include \"core/results/Table.h\"\n" },
};

test::CliRun CheckTree(const test::TempDir& root, const char* plantedFile, const char* plantedText)
{
    for (const auto& [name, text] : kSoundTree) {
        std::filesystem::create_directories(std::filesystem::path(root.File(name)).parent_path());
        test::WriteFileBytes(root.File(name), text);
    }
    if (plantedFile) {
        std::filesystem::create_directories(std::filesystem::path(root.File(plantedFile)).parent_path());
        test::WriteFileBytes(root.File(plantedFile), plantedText);
    }
    return test::RunProgram(LUMVANE_PYTHON, { LUMVANE_CHECK_LAYERS, root.Path().string() });
}

TEST(CheckLayers, NamesTheRuleOfEachPlantedInclude)
{
    const struct {
        const char* file;
        const char* text;
        const char* rule;
    } cases[] = {
        { "src/core/photometry/Click.h", "#include \"core/results/Table.h\"\n", "upward include" },
        { "src/core/image/Read.cpp", "#include <vector>\n#include \"../results/Table.h\"\n", "upward include" },
        { "src/core/display/Marks.h", "#include \"core/photometry/Click.h\"\n", "sideways include" },
        { "src/core/image/Paint.cpp", "#include <QImage>\n", "Qt in core" },
        { "src/core/common/Ask.h", "#include \"gui/Window.h\"\n", "core includes gui" },
        { "src/core/misc/Thing.h", "#include <vector>\n", "unplaced folder" },
        { "src/gui/Run.cpp", "#include \"cli/Commands.h\"\n", "gui includes cli" },
        { "src/cli/Show.cpp", "#include \"gui/Window.h\"\n", "cli includes gui" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const test::TempDir root;
        const test::CliRun run = CheckTree(root, c.file, c.text);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.out.find(std::string(c.file) + ":"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(std::string(": ") + c.rule + ": "), std::string::npos) << run.out;
    }
}

TEST(CheckLayers, PassesASoundTree)
{
    const test::TempDir root;
    const test::CliRun run = CheckTree(root, nullptr, nullptr);
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "");
}

} // namespace
} // namespace lumvane
