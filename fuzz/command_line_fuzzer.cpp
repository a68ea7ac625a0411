// ssudomer-cli in-process: the input is the argument list, split at NUL bytes. Whatever the
// words, the run ends with a status of 0, 2 or 64 and bounded messages. Saving is left out:
// a fuzzer must not write where its words point. --pdf and --chart stay, since the PDF
// module is not found beside a fuzzer and they are then refused after their checks; should
// one be found there, they are left out too.

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include "cli/commands.h"
#include "cli/pdf_option.h"
#include "fuzz_support.h"

namespace {

bool pdfCanBeWritten() {
    const std::vector<std::string> modules = cli::PdfModuleCandidates();
    return std::any_of(modules.begin(), modules.end(), [](const std::string& module) {
        std::error_code ignored;
        return std::filesystem::exists(module, ignored);
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzzing::AsText(data, size);
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start <= input.size() && args.size() < 64) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    static const bool pdfWrites = pdfCanBeWritten();
    for (std::string& arg : args) {
        if (arg == "--save" || (pdfWrites && (arg == "--pdf" || arg == "--chart")))
            arg = "--csv";
    }

    std::ostringstream out, err;
    const int status = cli::RunCli(args, out, err);
    FUZZ_CHECK(status == 0 || status == 2 || status == 64);
    // Every message line is bounded: the usage text is the longest one.
    std::istringstream lines(err.str());
    for (std::string line; std::getline(lines, line);) FUZZ_CHECK(line.size() < 1000);
    return 0;
}
