#pragma once

#include <string>
#include <vector>

namespace lumvane::test {

/// What one run of lumvane-cli gave.
struct CliRun {
    int exitCode = -1; ///< -1 when the program did not exit normally
    std::string out;
    std::string err;
};

/// Runs the built lumvane-cli with the arguments (no shell in between).
CliRun RunCli(const std::vector<std::string>& arguments);
/// Runs a program, by its path or found on PATH, with the arguments; its
/// standard output goes to the open descriptor `output` when one is given,
/// and `out` is then empty.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& arguments, int output = -1);

} // namespace lumvane::test
