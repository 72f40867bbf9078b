// The generic pieces every subcommand parses its arguments with.

#include "cli/Arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lumvane {
namespace {

TEST(CliNumbers, AWholeTextIsOneDecimalNumberOrNone)
{
    const std::string longNumber(300, '7');
    const struct {
        std::string text;
        std::optional<double> number;
    } cases[] = {
        { "7", 7.0 },
        { "-3.5", -3.5 },
        { "1e-300", 1e-300 },
        { longNumber, 7.777777777777778e299 },
        { "", std::nullopt },
        { "-", std::nullopt },
        { "1e999", std::nullopt },
        { "nan", std::nullopt },
        { "inf", std::nullopt },
        { " 7 ", std::nullopt },
        { "7x", std::nullopt },
        { "0x8", std::nullopt },
        { longNumber + "x", std::nullopt },
        // A decimal comma makes two numbers, which only a list takes.
        { "3,5", std::nullopt },
    };
    for (const auto& c : cases) {
        const auto number = cli::ParseNumber(c.text);
        ASSERT_EQ(number.has_value(), c.number.has_value()) << c.text;
        if (number) {
            EXPECT_DOUBLE_EQ(*number, *c.number) << c.text;
        }
    }

    const struct {
        std::string text;
        std::optional<std::vector<double>> numbers;
    } lists[] = {
        { "3,5", std::vector<double> { 3.0, 5.0 } },
        { "8", std::vector<double> { 8.0 } },
        { "3,", std::nullopt },
        { ",3", std::nullopt },
        { "", std::nullopt },
        { "3,x", std::nullopt },
    };
    for (const auto& c : lists)
        EXPECT_EQ(cli::ParseNumberList(c.text), c.numbers) << c.text;
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
