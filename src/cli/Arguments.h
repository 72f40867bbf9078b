#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvane::cli {

/// A point typed as "X,Y" (numbers with an optional fraction).
struct Point {
    double x = 0.0;
    double y = 0.0;
};

/// Parses a whole text as one decimal number; nothing when any character is
/// left over.
std::optional<double> ParseNumber(const std::string& text);
/// Parses "A,B,..." into numbers; nothing when any item is not a number.
std::optional<std::vector<double>> ParseNumberList(const std::string& text);
/// Parses "X,Y".
std::optional<Point> ParsePoint(const std::string& text);

/// True when a subcommand's arguments hold "--help" or "-h", wherever they stand.
bool AsksForHelp(const std::vector<std::string>& args);

/// What the usage text shows of an option: its name, the word for its value
/// (empty for a switch) and its help, whose later lines go under the first.
struct OptionText {
    std::string_view name;
    std::string_view value;
    std::string_view help;
};

/// An option of a subcommand that reads into a `Request`: `take` stores its
/// value (the option's own name for a switch) and returns what is wrong with
/// it, or nothing.
template <typename Request> struct Option : OptionText {
    std::function<std::string(Request&, const std::string&)> take;
};

/// An option whose value is kept as typed, in the text `field` of the request
/// (a member pointer or a function that gives the text).
template <typename Request, typename Field> Option<Request> TextOption(OptionText text, Field field)
{
    return { text, [field](Request& request, const std::string& value) {
                std::invoke(field, request) = value;
                return std::string();
            } };
}

/// The option lines of a usage text: "  NAME VALUE  help", the helps in one
/// column.
std::string OptionLines(const std::vector<OptionText>& options);

/// @brief Reads `args` with the options of `options`; the one argument that
/// is not an option goes to `operand`. Returns what is wrong: an option's
/// problem, or "unexpected argument 'ARG'" for an unknown option, an option
/// without its value, or a second operand.
template <typename Request>
std::string ParseOptions(const std::vector<std::string>& args, const std::vector<Option<Request>>& options,
    Request& request, std::string& operand)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto option = std::find_if(options.begin(), options.end(), [&](const auto& o) { return o.name == arg; });
        if (option != options.end() && (option->value.empty() || i + 1 < args.size())) {
            const std::string& value = option->value.empty() ? arg : args[++i];
            if (std::string problem = option->take(request, value); !problem.empty())
                return problem;
        } else if (arg.starts_with("-") || !operand.empty()) {
            return "unexpected argument '" + arg + "'";
        } else {
            operand = arg;
        }
    }
    return {};
}

} // namespace lumvane::cli
