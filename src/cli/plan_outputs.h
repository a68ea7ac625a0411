#pragma once

// --pdf FILE and --chart FILE.png of `plan`: the printed plan and the planner's chart, made
// by the PDF module (opened only for them) from the plan the command computed.

#include <ostream>
#include <vector>

#include "app/planner_form.h"
#include "cli/options.h"

namespace cli {

// Writes what was asked for, the PDF first. True when there was nothing to do or all was
// written; false, with each reason on `err`, when something could not be (the other output
// is still made).
bool WritePlanOutputs(const app::PlannerForm& planner, const std::vector<Option>& options,
                      std::ostream& err);

}  // namespace cli
