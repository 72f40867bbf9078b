#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/StandardOutput.h"

#include <csignal>
#include <iostream>
#include <string_view>

namespace {

struct Subcommand {
    std::string_view name;
    int (*run)(const lumvane::cli::Args&, std::ostream&, std::ostream&);
    std::string_view summary;
    const char* usage;
};

const Subcommand kSubcommands[] = {
    { "info", lumvane::cli::RunInfo, "header values, proposed cuts and pixels of a FITS file",
        lumvane::cli::kInfoUsage },
    { "sample", lumvane::cli::RunSample, "writes a sample patrol series with dark, flat and truth.txt",
        lumvane::cli::kSampleUsage },
    { "phot", lumvane::cli::RunPhot, "centres and measures stars at given points of a FITS file",
        lumvane::cli::kPhotUsage },
    { "profile", lumvane::cli::RunProfile, "the intensity profile along a line, as the profile data file",
        lumvane::cli::kProfileUsage },
    { "render", lumvane::cli::RunRender, "the image in the display palette as a BMP file", lumvane::cli::kRenderUsage },
    { "patrol", lumvane::cli::RunPatrol, "walks a numbered series, measuring the marked stars on each file",
        lumvane::cli::kPatrolUsage },
};

void PrintUsage(std::ostream& out)
{
    out << "Usage: lumvane-cli SUBCOMMAND [OPTIONS]\n\nSubcommands:\n";
    for (const auto& subcommand : kSubcommands)
        out << "  " << subcommand.name << std::string(10 - subcommand.name.size(), ' ') << subcommand.summary << '\n';
    out << "\n'lumvane-cli SUBCOMMAND --help' prints the subcommand's options and their defaults.\n"
           "Exit codes: 0 done, 1 bad usage, 2 an input that can't be read or an output that can't be\n"
           "written (standard output included), 3 a patrol series ended on a file where St1 is\n"
           "probably lost, 4 a patrol series ended early on an unreadable file. Output to a pipe\n"
           "whose reader has gone ends quietly with 141.\n";
}

int Run(int argc, char** argv, std::ostream& out)
{
    if (argc < 2) {
        PrintUsage(std::cerr);
        return lumvane::cli::kExitUsage;
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h") {
        PrintUsage(out);
        return lumvane::cli::kExitDone;
    }
    for (const auto& subcommand : kSubcommands) {
        if (subcommand.name != name)
            continue;
        const lumvane::cli::Args args(argv + 2, argv + argc);
        // "--help" wherever it stands prints the usage and does nothing else.
        if (lumvane::cli::AsksForHelp(args)) {
            out << subcommand.usage;
            return lumvane::cli::kExitDone;
        }
        return subcommand.run(args, out, std::cerr);
    }
    std::cerr << "lumvane-cli: unknown subcommand '" << name << "'\n";
    PrintUsage(std::cerr);
    return lumvane::cli::kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    // A reader that goes away shows as a failed write, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);
    lumvane::cli::StandardOutput output;
    std::ostream out(&output);
    return lumvane::cli::FinalStatus(Run(argc, argv, out), output);
}
