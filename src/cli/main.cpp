#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/program_folder.h"
#include "cli/standard_output.h"

int main(int argc, char** argv) {
    cli::UseUserLanguage(cli::LocaleFolder(cli::RunningProgramFolder()));
    const std::vector<std::string> args(argv + 1, argv + argc);
    cli::StandardOutput output;
    std::ostream& out = output.stream();
    if (args == std::vector<std::string>{"--version"}) {
        out << "ssudomer-cli (Ссудомер) " SSUDOMER_VERSION "\n";
        return output.finish(0, std::cerr);
    }
    const int status = cli::RunCli(args, out, std::cerr);
    if (args == std::vector<std::string>{"--help"}) {
        // What --help adds to the usage: what comes back and where to read more.
        out << '\n'
            << cli::Tr(
                   "Exit status: 0 done, 2 refused or no result (the reason on standard "
                   "error),\n64 bad arguments. See ssudomer-cli(1).")
            << '\n';
    }
    return output.finish(status, std::cerr);
}
