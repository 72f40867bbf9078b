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

} // namespace lumvane::test
