#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/StandardOutput.h"

#include <csignal>
#include <iostream>
#include <string_view>

namespace {

void PrintUsage(std::ostream& out)
{
    out << "Usage: lumvane-cli SUBCOMMAND [OPTIONS]\n\nSubcommands:\n";
    for (const auto& subcommand : lumvane::cli::Subcommands())
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
    for (const auto& subcommand : lumvane::cli::Subcommands()) {
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
