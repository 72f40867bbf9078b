#pragma once

#include <iosfwd>
#include <string>
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

/// The usage text of each subcommand: every option with its default.
extern const char* const kInfoUsage;
extern const char* const kSampleUsage;
extern const char* const kPhotUsage;
extern const char* const kProfileUsage;
extern const char* const kRenderUsage;
extern const char* const kPatrolUsage;

/// Each subcommand takes its own arguments (after its name) and writes its
/// output to `out`, its errors to `err`; it returns an exit code.
int RunInfo(const Args& args, std::ostream& out, std::ostream& err);
int RunSample(const Args& args, std::ostream& out, std::ostream& err);
int RunPhot(const Args& args, std::ostream& out, std::ostream& err);
int RunProfile(const Args& args, std::ostream& out, std::ostream& err);
int RunRender(const Args& args, std::ostream& out, std::ostream& err);
int RunPatrol(const Args& args, std::ostream& out, std::ostream& err);

} // namespace lumvane::cli
