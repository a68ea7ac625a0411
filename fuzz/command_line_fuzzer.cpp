// ssudomer-cli in-process: the input is the argument list, split at NUL bytes. Whatever the
// words, the run ends with a status of 0, 2 or 64 and bounded messages. Saving is left out:
// a fuzzer must not write where its words point.

#include <sstream>
#include <vector>

#include "cli/commands.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzzing::AsText(data, size);
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start <= input.size() && args.size() < 64) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--save")
            args[i] = "--csv";
    }

    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    FUZZ_CHECK(status == 0 || status == 2 || status == 64);
    // Every message line is bounded: the usage text is the longest one.
    std::istringstream lines(err.str());
    for (std::string line; std::getline(lines, line);) FUZZ_CHECK(line.size() < 1000);
    return 0;
}
