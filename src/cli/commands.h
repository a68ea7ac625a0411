#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Runs `ssudomer-cli ARGS...`; returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The subcommands, each given the words after its name.
int RunSchedule(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRegister(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
