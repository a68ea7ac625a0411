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

// The arguments with more after them.
inline std::vector<std::string> with(std::vector<std::string> args,
                                     const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The lines of an output, each without its "\n" (a last line without one is left out).
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    return result;
}

}  // namespace testing_support
