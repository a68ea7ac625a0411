#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace testing_support {

// One in-process run of ssudomer-cli with what it printed.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunCliCommand(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace testing_support
