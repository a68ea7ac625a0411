#include "cli/plan_outputs.h"

#include "app/main_form.h"
#include "cli/pdf_option.h"
#include "text/errors.h"
#include "text/text.h"
#include "pdf/plan_request.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"

namespace cli {

namespace {

// One output made by the module; false with the reason on `err`.
bool makeOutput(const app::PlannerForm& planner, const Option& option, pdf::PlanOutput output,
                std::string& png, std::ostream& err) {
    const auto write = reinterpret_cast<pdf::WritePlanFunction>(
        OutputModuleEntry(option, pdf::kPlanEntryPoint, err));
    if (!write)
        return false;
    pdf::PlanRequest request;
    request.planner = &planner;
    request.output = output;
    request.path = option.value;
    if (!write(&request))
        return ReportFailedSave(request.error, err);
    png = std::move(request.png);
    return true;
}

}  // namespace

bool WritePlanOutputs(const app::PlannerForm& planner, const std::vector<Option>& options,
                      std::ostream& err) {
    bool written = true;
    std::string png;
    if (const Option* pdfFile = FindOption(options, "pdf"))
        written = makeOutput(planner, *pdfFile, pdf::PlanOutput::Pdf, png, err);
    if (const Option* chart = FindOption(options, "chart")) {
        if (!makeOutput(planner, *chart, pdf::PlanOutput::ChartPng, png, err))
            return false;
        // The image goes to disk as every file the program writes does.
        try {
            storage::WriteFileSafely(chart->value, png);
        } catch (const storage::FileError& error) {
            return ReportFailedSave(error.what(), err);
        }
    }
    return written;
}

}  // namespace cli
