// The usage texts are checked against the parsers themselves: the options a
// subcommand compares its arguments with are read from its source, so an
// option added without a line in the usage text fails here.

#include "support/CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace lumvane {
namespace {

namespace fs = std::filesystem;

const fs::path kCliSources = LUMVANE_CLI_SOURCE_DIR;

struct Subcommand {
    std::string name;
    std::string runFunction; ///< "RunInfo"
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

bool IsWordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
}

/// True when `text` holds `word` with no word character on either side.
bool Names(const std::string& text, const std::string& word)
{
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const bool startsWord = at == 0 || !IsWordCharacter(text[at - 1]);
        const auto after = at + word.size();
        if (startsWord && (after == text.size() || !IsWordCharacter(text[after])))
            return true;
    }
    return false;
}

/// The text between the quotes that follow `from` in `line`.
std::string Quoted(const std::string& line, std::size_t from)
{
    const auto open = line.find('"', from);
    const auto close = line.find('"', open + 1);
    return open == std::string::npos || close == std::string::npos ? std::string()
                                                                   : line.substr(open + 1, close - open - 1);
}

/// The subcommands of main.cpp's table ({ "info", lumvane::cli::RunInfo, ... }), in its order.
std::vector<Subcommand> TableSubcommands()
{
    std::vector<Subcommand> subcommands;
    for (const std::string& line : Lines(test::ReadFileBytes((kCliSources / "main.cpp").string()))) {
        const std::string marker = "lumvane::cli::Run";
        const auto run = line.find(marker);
        if (run == std::string::npos || line.find('{') > run)
            continue;
        auto end = run + marker.size();
        while (end < line.size() && IsWordCharacter(line[end]))
            ++end;
        const auto function = run + marker.size() - 3;
        subcommands.push_back({ Quoted(line, line.find('{')), line.substr(function, end - function) });
    }
    return subcommands;
}

/// The source files of a subcommand: the one that defines its run function,
/// and the shared photometry options when it parses them.
std::vector<std::string> SourcesOf(const Subcommand& subcommand)
{
    std::vector<std::string> sources;
    for (const auto& file : fs::directory_iterator(kCliSources)) {
        if (file.path().extension() != ".cpp")
            continue;
        const std::string text = test::ReadFileBytes(file.path().string());
        if (text.find("int " + subcommand.runFunction + "(") == std::string::npos)
            continue;
        sources.push_back(text);
        if (text.find("ParsePhotometryOption(") != std::string::npos)
            sources.push_back(test::ReadFileBytes((kCliSources / "PhotometryArguments.cpp").string()));
    }
    return sources;
}

/// Every option a parser compares an argument with (`arg == "--radius"`).
std::set<std::string> ParsedOptions(const Subcommand& subcommand)
{
    std::set<std::string> options;
    for (const std::string& source : SourcesOf(subcommand)) {
        for (auto at = source.find("arg == \""); at != std::string::npos; at = source.find("arg == \"", at + 1)) {
            const std::string option = Quoted(source, at);
            if (option.starts_with("-") && option != "--help" && option != "-h")
                options.insert(option);
        }
    }
    return options;
}

/// The options a usage text shows: words that start with "-" or "--" and a
/// letter, standing after a blank, a bracket or the start of a line.
std::set<std::string> ShownOptions(const std::string& usage)
{
    std::set<std::string> shown;
    for (std::size_t at = 0; at < usage.size(); ++at) {
        if (usage[at] != '-' || (at > 0 && std::string_view(" \n[(").find(usage[at - 1]) == std::string_view::npos))
            continue;
        auto end = at;
        while (end < usage.size() && IsWordCharacter(usage[end]))
            ++end;
        const std::string word = usage.substr(at, end - at);
        const auto letter = word.find_first_not_of('-');
        if (letter != std::string::npos && letter <= 2 && std::islower(static_cast<unsigned char>(word[letter])))
            shown.insert(word);
        at = end;
    }
    return shown;
}

/// The synopsis: the "Usage:" line and its continuation lines that start
/// with an optional part.
std::vector<std::string> Synopsis(const std::vector<std::string>& lines)
{
    std::vector<std::string> synopsis;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto first = lines[i].find_first_not_of(' ');
        if (i > 0 && (first == 0 || first == std::string::npos || lines[i][first] != '['))
            break;
        synopsis.push_back(lines[i]);
    }
    return synopsis;
}

/// The options a synopsis shows only in brackets, each with the word that
/// stands for its value ("--radius" -> "R"; empty for a switch).
std::map<std::string, std::string> OptionalInSynopsis(const std::vector<std::string>& synopsis)
{
    std::map<std::string, std::string> inBrackets;
    std::set<std::string> outside;
    int depth = 0; // a bracket may close on a later line
    for (const std::string& line : synopsis) {
        std::string word;
        std::string* awaitingValue = nullptr;
        const auto endWord = [&] {
            if (word.size() > 1 && word[0] == '-') {
                if (depth > 0)
                    awaitingValue = &inBrackets[word];
                else
                    outside.insert(word);
            } else if (!word.empty() && awaitingValue != nullptr) {
                auto end = word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
                *awaitingValue = word.substr(0, end);
                awaitingValue = nullptr;
            }
            word.clear();
        };
        for (const char c : line) {
            if (c == '[' || c == ']' || c == ' ') {
                endWord();
                if (c != ' ')
                    awaitingValue = nullptr;
                depth += c == '[' ? 1 : c == ']' ? -1 : 0;
            } else {
                word += c;
            }
        }
        endWord();
    }
    for (const std::string& option : outside)
        inBrackets.erase(option);
    return inBrackets;
}

/// The usage text after its synopsis, cut into sentences and option entries
/// (lines that start with "  -").
std::vector<std::string> Statements(const std::vector<std::string>& lines, std::size_t from)
{
    std::vector<std::string> blocks(1);
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].starts_with("  -"))
            blocks.emplace_back();
        blocks.back() += ' ' + lines[i];
    }
    std::vector<std::string> statements;
    for (const std::string& block : blocks) {
        std::size_t start = 0;
        for (auto stop = block.find(". "); stop != std::string::npos; stop = block.find(". ", start)) {
            statements.push_back(block.substr(start, stop + 1 - start));
            start = stop + 2;
        }
        statements.push_back(block.substr(start));
    }
    return statements;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TEST(CliHelp, TheProgramsHelpListsEverySubcommandAndTheExitCodes)
{
    const std::vector<Subcommand> subcommands = TableSubcommands();
    ASSERT_GE(subcommands.size(), 6U);
    for (const char* asked : { "--help", "-h" }) {
        const test::CliRun run = test::RunCli({ asked });
        EXPECT_EQ(run.exitCode, 0) << asked;
        EXPECT_EQ(run.err, "") << asked;
        for (const Subcommand& subcommand : subcommands)
            EXPECT_NE(run.out.find("\n  " + subcommand.name + " "), std::string::npos)
                << subcommand.name << " missing from\n"
                << run.out;
        for (const char* code : { "0 done", "1 bad usage", "2 an input that can't be read", "3 a patrol series" })
            EXPECT_NE(run.out.find(code), std::string::npos) << code;
        EXPECT_NE(run.out.find("SUBCOMMAND --help"), std::string::npos);
    }

    // Without a subcommand the same list is the error.
    const test::CliRun bare = test::RunCli({});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_EQ(bare.out, "");
    EXPECT_NE(bare.err.find("Subcommands:"), std::string::npos);
}

TEST(CliHelp, EachSubcommandPrintsItsUsageToStandardOutputAndSucceeds)
{
    for (const Subcommand& subcommand : TableSubcommands()) {
        SCOPED_TRACE(subcommand.name);
        const test::CliRun run = test::RunCli({ subcommand.name, "--help" });
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind("Usage: lumvane-cli " + subcommand.name + " ", 0), 0U) << run.out;

        // Asked among other arguments, even wrong ones, help is all that happens.
        test::TempDir dir;
        const std::string missing = dir.File("missing.fts");
        const test::CliRun among = test::RunCli({ subcommand.name, missing, "--bogus", "-h" });
        EXPECT_EQ(among.exitCode, 0);
        EXPECT_EQ(among.out, run.out);
        EXPECT_EQ(among.err, "");
        EXPECT_FALSE(fs::exists(missing));

        // A wrong call still fails with the usage on the error stream.
        const test::CliRun wrong = test::RunCli({ subcommand.name, "--bogus" });
        EXPECT_EQ(wrong.exitCode, 1);
        EXPECT_EQ(wrong.out, "");
        EXPECT_NE(wrong.err.find("Usage: lumvane-cli " + subcommand.name), std::string::npos);
    }
}

TEST(CliHelp, EachUsageNamesEveryOptionTheParserTakesAndNoOther)
{
    for (const Subcommand& subcommand : TableSubcommands()) {
        SCOPED_TRACE(subcommand.name);
        const std::set<std::string> parsed = ParsedOptions(subcommand);
        const std::string usage = test::RunCli({ subcommand.name, "--help" }).out;
        for (const std::string& option : parsed)
            EXPECT_TRUE(Names(usage, option)) << option << " is not named in\n" << usage;

        for (const std::string& option : ShownOptions(usage)) {
            EXPECT_TRUE(parsed.contains(option)) << option << " is shown but not parsed";
            // And the program itself takes it (whatever it then says of the value).
            const test::CliRun run = test::RunCli({ subcommand.name, option, "1,1" });
            EXPECT_EQ(run.err.find("unexpected argument '" + option + "'"), std::string::npos) << run.err;
        }
    }
}

TEST(CliHelp, EveryOptionalOptionStatesItsDefault)
{
    for (const Subcommand& subcommand : TableSubcommands()) {
        SCOPED_TRACE(subcommand.name);
        const std::vector<std::string> lines = Lines(test::RunCli({ subcommand.name, "--help" }).out);
        const std::vector<std::string> synopsis = Synopsis(lines);
        const std::vector<std::string> statements = Statements(lines, synopsis.size());
        // A sentence or option entry that says "default" names the option or its value's word.
        for (const auto& [option, value] : OptionalInSynopsis(synopsis)) {
            bool stated = false;
            for (const std::string& statement : statements)
                stated = stated
                    || (Lower(statement).find("default") != std::string::npos
                        && (Names(statement, option) || (!value.empty() && Names(statement, value))));
            EXPECT_TRUE(stated) << option << " has no default stated";
        }
    }
}

TEST(CliHelp, TheManualPageDescribesEverySubcommandAndOption)
{
    std::string page = test::ReadFileBytes(LUMVANE_MAN_PAGE);
    // roff writes a hyphen-minus as "\-".
    for (std::size_t at = page.find("\\-"); at != std::string::npos; at = page.find("\\-", at))
        page.erase(at, 1);
    for (const Subcommand& subcommand : TableSubcommands()) {
        SCOPED_TRACE(subcommand.name);
        const auto start = page.find(".SS \"" + subcommand.name + " ");
        ASSERT_NE(start, std::string::npos) << "no section for the subcommand";
        const auto end = std::min(page.find("\n.SS ", start + 1), page.find("\n.SH ", start + 1));
        const std::string section = page.substr(start, end - start);
        for (const std::string& option : ParsedOptions(subcommand))
            EXPECT_TRUE(Names(section, option)) << option;
    }
    for (const char* status : { ".B 0\n", ".B 1\n", ".B 2\n", ".B 3\n" })
        EXPECT_NE(page.find(status), std::string::npos) << status;
}

} // namespace
} // namespace lumvane
