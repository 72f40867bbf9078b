#pragma once

#include "cli/Arguments.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace lumvane::cli {

/// Exit codes of every subcommand.
enum ExitCode : int {
    kExitDone = 0,
    kExitUsage = 1,
    kExitFileError = 2, ///< a file can't be read or written
    kExitSt1Lost = 3, ///< patrol: St1 is probably not on a file; the results so far were written
    kExitUnreadableFile
    = 4, ///< patrol: a file of the series is there but not an image; the results so far were written
};

using Args = std::vector<std::string>;

/// A subcommand: its name, a line on what it does, how it runs (on its own
/// arguments, after its name, writing its output to `out` and its errors to
/// `err`, returning an exit code), its usage text and the options it takes.
struct Subcommand {
    std::string_view name;
    std::string_view summary;
    int (*run)(const Args& args, std::ostream& out, std::ostream& err);
    std::string usage;
    std::vector<OptionText> options;
};

Subcommand InfoSubcommand();
Subcommand SampleSubcommand();
Subcommand PhotSubcommand();
Subcommand ProfileSubcommand();
Subcommand RenderSubcommand();
Subcommand PatrolSubcommand();

/// Every subcommand, in the order the program's usage lists them.
const std::vector<Subcommand>& Subcommands();

} // namespace lumvane::cli
