#pragma once

#include <string>

namespace cli {

// The folder of the running program, from which it finds its PDF module and its message
// catalogues under any prefix; "." when the system does not say.
std::string RunningProgramFolder();

}  // namespace cli
