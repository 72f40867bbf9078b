#pragma once

#include <optional>
#include <string>
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

} // namespace lumvane::cli
