// Placeholder until the payment register is built.
#include "cli/commands.h"
#include "cli/options.h"

namespace cli {

int RunRegister(const std::vector<std::string>&, std::ostream&, std::ostream&) {
    throw UsageError("register is not available yet");
}

}  // namespace cli
