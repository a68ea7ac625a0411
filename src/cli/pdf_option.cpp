#include "cli/pdf_option.h"

#include <dlfcn.h>
#include <unistd.h>

#include "app/loan_information.h"
#include "cli/program_folder.h"
#include "text/errors.h"
#include "text/text.h"
#include "pdf/pdf_module.h"

namespace cli {

// The module stays loaded until the program ends: Qt keeps running inside it.
void* PdfModuleEntry(const char* name, std::string& why) {
    for (const std::string& candidate : PdfModuleCandidates()) {
        if (access(candidate.c_str(), F_OK) != 0)
            continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            why = dlerror();
            return nullptr;
        }
        if (void* entry = dlsym(module, name))
            return entry;
        why = candidate + ": в модуле нет входа " + name;
        return nullptr;
    }
    why = std::string("модуль PDF ") + pdf::kModuleFileName + " не установлен";
    return nullptr;
}

void* OutputModuleEntry(const Option& option, const char* name, std::ostream& err) {
    std::string why;
    void* entry = PdfModuleEntry(name, why);
    if (!entry) {
        err << "ssudomer-cli: --" << option.name << ' ' << loan::Excerpt(option.value) << ": "
            << why << '\n';
    }
    return entry;
}

bool ReportFailedSave(const std::string& message, std::ostream& err) {
    err << app::kApplicationTitle << ": " << loan::ReplaceAll(message, "\r", "\n") << '\n';
    return false;
}

std::vector<std::string> PdfModuleCandidates() {
    const std::string folder = RunningProgramFolder();
    return {folder + "/" + pdf::kModuleFileName,
            folder + "/../lib/ssudomer/" + pdf::kModuleFileName};
}

bool WritePdfOption(const app::MainForm& form, const std::vector<Option>& options,
                    std::ostream& err) {
    const Option* option = FindOption(options, "pdf");
    if (!option)
        return true;
    const auto writePdf =
        reinterpret_cast<pdf::WritePdfFunction>(OutputModuleEntry(*option, pdf::kEntryPoint, err));
    if (!writePdf)
        return false;
    const std::array<std::string, 4> lines = app::LoanInformationLines(form);
    pdf::PdfRequest request;
    request.loanInformation = &lines;
    request.table = &form.StringGrid1;
    request.path = option->value;
    return writePdf(&request) || ReportFailedSave(request.error, err);
}

}  // namespace cli
