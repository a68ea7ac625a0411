#pragma once

// The seam between `ssudomer-cli plan` and the module for its --pdf and --chart: the printed
// plan ("Печать..." of the planner) and the planner's chart, made from the plan the command
// computed. Like the payment PDF's request, it may carry C++ objects: both sides are built
// from the same tree.

#include <string>

namespace app {
class PlannerForm;
}

namespace pdf {

inline constexpr const char* kPlanEntryPoint = "ssudomer_write_plan";
// Raised whenever the request changes, so that a stale module is refused, not misread.
inline constexpr int kPlanRequestVersion = 1;

enum class PlanOutput { Pdf, ChartPng };

struct PlanRequest {
    int version = kPlanRequestVersion;
    const app::PlannerForm* planner = nullptr;
    PlanOutput output = PlanOutput::Pdf;
    // Pdf: the file the pages go to, as the bytes of the name given; written as every save is
    // (the guarded writer) and replaced only by the whole document.
    std::string path;
    // ChartPng: the image's bytes, for the caller to write.
    std::string png;
    // Set when the output could not be made: the message a failed save shows.
    std::string error;
};

// The entry point: true when the output was made; otherwise request->error says why.
using WritePlanFunction = bool (*)(PlanRequest* request);

}  // namespace pdf
