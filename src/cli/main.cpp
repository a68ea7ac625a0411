#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/standard_output.h"

namespace {

// What --help adds to the usage: what comes back and where to read more.
constexpr const char* kHelpTrailer =
    "\n"
    "Exit status: 0 done, 2 refused or no result (the reason on standard error),\n"
    "64 bad arguments. See ssudomer-cli(1).\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    cli::StandardOutput output;
    std::ostream& out = output.stream();
    if (args == std::vector<std::string>{"--version"}) {
        out << "ssudomer-cli (Ссудомер) " SSUDOMER_VERSION "\n";
        return output.finish(0, std::cerr);
    }
    const int status = cli::RunCli(args, out, std::cerr);
    if (args == std::vector<std::string>{"--help"})
        out << kHelpTrailer;
    return output.finish(status, std::cerr);
}
