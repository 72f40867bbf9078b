#include "cli/Commands.h"

namespace lumvane::cli {

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> subcommands = { InfoSubcommand(), SampleSubcommand(), PhotSubcommand(),
        ProfileSubcommand(), RenderSubcommand(), PatrolSubcommand() };
    return subcommands;
}

} // namespace lumvane::cli
