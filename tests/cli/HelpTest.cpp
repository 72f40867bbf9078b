// The usage texts and the parsers come from each subcommand's option table:
// every option of a table is shown, documented and taken.

#include "cli/Arguments.h"
#include "cli/Commands.h"

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumvane {
namespace {

using cli::Subcommands;

TEST(CliHelp, TheProgramsHelpListsEverySubcommandAndTheBareCallFails)
{
    const test::CliRun help = test::RunCli({ "--help" });
    EXPECT_EQ(help.exitCode, 0);
    for (const cli::Subcommand& subcommand : Subcommands())
        EXPECT_NE(help.out.find("\n  " + std::string(subcommand.name) + " "), std::string::npos) << subcommand.name;

    const test::CliRun bare = test::RunCli({});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_EQ(bare.err, help.out);
}

TEST(CliHelp, EachSubcommandPrintsItsUsageWhereverHelpIsAsked)
{
    for (const cli::Subcommand& subcommand : Subcommands()) {
        SCOPED_TRACE(subcommand.name);
        const std::string name(subcommand.name);
        test::TempDir dir;
        const std::string missing = dir.File("missing.fts");
        for (const std::vector<std::string>& args : { std::vector<std::string> { name, "--help" },
                 std::vector<std::string> { name, missing, "--bogus", "-h" } }) {
            const test::CliRun run = test::RunCli(args);
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out, subcommand.usage);
            EXPECT_EQ(run.err, "");
        }
    }
}

TEST(CliHelp, EveryOptionOfATableIsInItsUsageAndTheManualPage)
{
    std::string page = test::ReadFileBytes(LUMVANE_MAN_PAGE);
    // roff writes a hyphen-minus as "\-".
    for (auto at = page.find("\\-"); at != std::string::npos; at = page.find("\\-", at))
        page.erase(at, 1);
    for (const cli::Subcommand& subcommand : Subcommands()) {
        SCOPED_TRACE(subcommand.name);
        const auto start = page.find(".SS \"" + std::string(subcommand.name) + " ");
        ASSERT_NE(start, std::string::npos) << "no section for the subcommand";
        const std::string section = page.substr(start, page.find("\n.S", start + 1) - start);
        for (const cli::OptionText& option : subcommand.options) {
            const std::string shown
                = std::string(option.name) + (option.value.empty() ? "" : " ") + std::string(option.value);
            EXPECT_NE(subcommand.usage.find(shown), std::string::npos) << shown;
            EXPECT_NE(section.find(std::string(option.name)), std::string::npos) << option.name;
        }
    }
}

} // namespace
} // namespace lumvane
