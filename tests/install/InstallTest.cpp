// An install of this build into a fresh prefix, checked as a desktop and a
// user would find it: the files in their places, the desktop entry and the
// MIME package as the desktop's own tools read them, the installed programs
// and the folders the installed program uses.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include "gui/app/HelpWindow.h"
#include "gui/app/ProgramFolder.h"

#include <gtest/gtest.h>

#include <fnmatch.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

namespace lumvane {
namespace {

namespace fs = std::filesystem;

/// One install for every test of the program: the tests read it only.
class Install : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_prefix = new test::TempDir;
        s_run = new test::CliRun(test::RunProgram(
            LUMVANE_CMAKE_COMMAND, { "--install", LUMVANE_BUILD_DIR, "--prefix", s_prefix->Path().string() }));
    }
    static void TearDownTestSuite()
    {
        delete s_run;
        delete s_prefix;
    }
    void SetUp() override { ASSERT_EQ(s_run->exitCode, 0) << s_run->out << s_run->err; }

    static fs::path Installed(const std::string& relative) { return s_prefix->Path() / relative; }

    static test::TempDir* s_prefix;
    static test::CliRun* s_run;
};

test::TempDir* Install::s_prefix = nullptr;
test::CliRun* Install::s_run = nullptr;

/// Width and height from a PNG file's header chunk; 0 x 0 when it is no PNG.
std::pair<std::uint32_t, std::uint32_t> PngSize(const fs::path& file)
{
    const std::string bytes = test::ReadFileBytes(file.string());
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return { 0, 0 };
    const auto big = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return { big(16), big(20) };
}

/// The keys of a desktop entry's main group.
std::map<std::string, std::string> DesktopKeys(const fs::path& file)
{
    std::map<std::string, std::string> keys;
    std::istringstream lines(test::ReadFileBytes(file.string()));
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && line[0] != '#')
            keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return keys;
}

TEST_F(Install, PutsEveryFileInItsPlaceUnderThePrefix)
{
    for (const char* program : { "bin/lumvane", "bin/lumvane-cli" }) {
        const fs::path path = Installed(program);
        ASSERT_TRUE(fs::is_regular_file(path)) << program;
        EXPECT_NE(fs::status(path).permissions() & fs::perms::others_exec, fs::perms::none) << program;
    }
    for (const char* file : { "share/lumvane/help/Tarnel32.html", "share/applications/lumvane.desktop",
             "share/icons/hicolor/scalable/apps/lumvane.svg", "share/mime/packages/lumvane.xml",
             "share/man/man1/lumvane-cli.1" }) {
        EXPECT_TRUE(fs::is_regular_file(Installed(file))) << file;
        EXPECT_GT(fs::file_size(Installed(file)), 0U) << file;
    }
    // The help file is the one the build made, not a stale copy.
    EXPECT_EQ(test::ReadFileBytes(Installed("share/lumvane/help/Tarnel32.html").string()),
        test::ReadFileBytes(LUMVANE_HELP_SOURCE));
}

TEST_F(Install, RendersTheIconAtEachSizeFromTheDrawing)
{
    const std::string svg = test::ReadFileBytes(Installed("share/icons/hicolor/scalable/apps/lumvane.svg").string());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    for (const std::uint32_t size : { 48U, 128U, 256U }) {
        const std::string side = std::to_string(size);
        const fs::path png = Installed("share/icons/hicolor/" + side + "x" + side + "/apps/lumvane.png");
        EXPECT_EQ(PngSize(png), std::make_pair(size, size)) << png;
    }
}

TEST_F(Install, TheDesktopEntryIsValidAndOffersToOpenFitsFiles)
{
    const fs::path entry = Installed("share/applications/lumvane.desktop");
    const test::CliRun validate = test::RunProgram("desktop-file-validate", { entry.string() });
    EXPECT_EQ(validate.exitCode, 0) << "desktop-file-validate (desktop-file-utils) is needed: " << validate.err;
    EXPECT_EQ(validate.out + validate.err, "");

    std::map<std::string, std::string> keys = DesktopKeys(entry);
    EXPECT_EQ(keys["Type"], "Application");
    // The program opens the file it is given as File > Open Single Image does.
    EXPECT_EQ(keys["Exec"], "lumvane %f");
    EXPECT_EQ(keys["Icon"], "lumvane");
    for (const char* type : { "application/fits;", "image/fits;", "application/x-lumvane-patrol;" })
        EXPECT_NE(keys["MimeType"].find(type), std::string::npos) << type;
}

TEST_F(Install, TheMimePackageGivesFitsExtensionsAndNumberedFilesToTheProgram)
{
    // The desktop's own tool builds the database from the installed package.
    test::TempDir mime;
    fs::copy(Installed("share/mime"), mime.Path(), fs::copy_options::recursive);
    const test::CliRun update = test::RunProgram("update-mime-database", { mime.Path().string() });
    ASSERT_EQ(update.exitCode, 0) << update.err;

    std::multimap<std::string, std::string> globs; // pattern -> type
    std::istringstream lines(test::ReadFileBytes(mime.File("globs2")));
    for (std::string line; std::getline(lines, line);) {
        const auto first = line.find(':');
        const auto second = line.find(':', first + 1);
        if (line[0] != '#' && second != std::string::npos)
            globs.emplace(line.substr(second + 1), line.substr(first + 1, second - first - 1));
    }
    const auto typeOf = [&](const std::string& fileName) {
        std::string type;
        for (const auto& [pattern, globType] : globs)
            if (::fnmatch(pattern.c_str(), fileName.c_str(), 0) == 0)
                type += globType + ";";
        return type;
    };
    for (const char* fits : { "m31.fts", "m31.fit", "m31.fits" })
        EXPECT_EQ(typeOf(fits), "application/fits;") << fits;
    for (const char* numbered : { "m31.001", "field.012", "/obs/m31.999" })
        EXPECT_EQ(typeOf(numbered), "application/x-lumvane-patrol;") << numbered;
    for (const char* other : { "m31.0001", "m31.01", "m31.txt", "m31.00a" })
        EXPECT_EQ(typeOf(other), "") << other;
    // A numbered file is a kind of FITS file to the desktop.
    EXPECT_NE(test::ReadFileBytes(mime.File("subclasses")).find("application/x-lumvane-patrol application/fits"),
        std::string::npos);
}

TEST_F(Install, TheInstalledCommandRunsAndItsManualPageFormatsWithoutWarnings)
{
    const test::CliRun help = test::RunProgram(Installed("bin/lumvane-cli").string(), { "--help" });
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Subcommands:"), std::string::npos);

    const test::CliRun groff
        = test::RunProgram("groff", { "-man", "-ww", "-z", Installed("share/man/man1/lumvane-cli.1").string() });
    EXPECT_EQ(groff.exitCode, 0);
    EXPECT_EQ(groff.err, "");
    const std::string page = test::ReadFileBytes(Installed("share/man/man1/lumvane-cli.1").string());
    EXPECT_NE(page.find(".SH EXIT STATUS"), std::string::npos);
}

TEST_F(Install, TheInstalledProgramFindsItsHelpAndKeepsItsFilesInTheUsersFolder)
{
    const QString bin = QString::fromStdString(Installed("bin").string());
    const QString help = HelpFileFor(bin);
    EXPECT_EQ(fs::path(help.toStdString()).lexically_normal(),
        Installed("share/lumvane/help/Tarnel32.html").lexically_normal());
    EXPECT_TRUE(fs::is_regular_file(help.toStdString()));
    // The prefix is writable here, yet an installed program keeps its
    // settings and outputs in the user's own folder.
    EXPECT_EQ(ChooseProgramFolder(bin, QStringLiteral("/home/ann/.local/share/lumvane")),
        QStringLiteral("/home/ann/.local/share/lumvane"));
}

TEST(ProgramFolder, ABuiltProgramUsesItsOwnFolderAndFindsTheHelpBesideIt)
{
    test::TempDir build;
    fs::create_directories(build.Path() / "bin");
    const QString bin = QString::fromStdString((build.Path() / "bin").string());
    EXPECT_EQ(ChooseProgramFolder(bin, QStringLiteral("/home/ann/.local/share/lumvane")), bin);
    EXPECT_EQ(HelpFileFor(bin), bin + QStringLiteral("/Tarnel32.html"));

    // A help file beside the program wins over an installed one.
    fs::create_directories(build.Path() / "share/lumvane/help");
    test::WriteFileBytes((build.Path() / "share/lumvane/help/Tarnel32.html").string(), "installed");
    EXPECT_EQ(HelpFileFor(bin), QString::fromStdString((build.Path() / "share/lumvane/help/Tarnel32.html").string()));
    test::WriteFileBytes((build.Path() / "bin/Tarnel32.html").string(), "built");
    EXPECT_EQ(HelpFileFor(bin), bin + QStringLiteral("/Tarnel32.html"));
}

} // namespace
} // namespace lumvane
