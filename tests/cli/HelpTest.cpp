// The usage texts and the parser come from each subcommand's option table:
// these check that every option of a table is shown, documented and taken,
// and that the generic parser keeps its messages.

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

struct Request {
    std::string file;
    std::string name;
    bool on = false;
};

const std::vector<cli::Option<Request>> kOptions = {
    cli::TextOption<Request>({ "--name", "N", "a name\nover two lines" }, &Request::name),
    { { "--on", "", "a switch" },
        [](Request& request, const std::string&) {
            request.on = true;
            return std::string();
        } },
    { { "--odd", "X", "refuses every value" },
        [](Request&, const std::string& value) { return "--odd refuses '" + value + "'"; } },
};

TEST(CliOptions, TheTableIsParsedAndShown)
{
    const struct {
        std::vector<std::string> args;
        std::string problem;
        std::string file;
        std::string name;
        bool on;
    } cases[] = {
        { { "f", "--name", "-x", "--on" }, "", "f", "-x", true },
        { { "--on", "f" }, "", "f", "", true },
        { { "f", "--name" }, "unexpected argument '--name'", "f", "", false },
        { { "f", "--bogus" }, "unexpected argument '--bogus'", "f", "", false },
        { { "f", "g" }, "unexpected argument 'g'", "f", "", false },
        { { "f", "--odd", "1" }, "--odd refuses '1'", "f", "", false },
    };
    for (const auto& c : cases) {
        Request request;
        EXPECT_EQ(cli::ParseOptions(c.args, kOptions, request, request.file), c.problem) << c.args.back();
        EXPECT_EQ(request.file, c.file);
        EXPECT_EQ(request.name, c.name);
        EXPECT_EQ(request.on, c.on);
    }
    EXPECT_EQ(cli::OptionLines({ kOptions.begin(), kOptions.end() }),
        "  --name N  a name\n"
        "            over two lines\n"
        "  --on      a switch\n"
        "  --odd X   refuses every value\n");
}

} // namespace
} // namespace lumvane
