// Placeholder until payment files are built.
#include "cli/commands.h"
#include "cli/options.h"

namespace cli {

int RunShow(const std::vector<std::string>&, std::ostream&, std::ostream&) {
    throw UsageError("show is not available yet");
}

}  // namespace cli
