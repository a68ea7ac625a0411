#pragma once

// --pdf FILE: the pages the print window would show for the form's state, written to FILE
// by the PDF module, which is opened only for this.

#include <ostream>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "cli/options.h"

namespace cli {

// Writes the PDF when --pdf was given. True when there was nothing to do or the file was
// written; false, with the reason on `err`, when it could not be.
bool WritePdfOption(const app::MainForm& form, const std::vector<Option>& options,
                    std::ostream& err);

// Where the PDF module is looked for: beside the running program, then in
// ../lib/ssudomer/ from its folder.
std::vector<std::string> PdfModuleCandidates();

// The entry point `name` of the PDF module, opened on first use; null, with the reason in
// `why`, when no module could be opened or it has no such entry.
void* PdfModuleEntry(const char* name, std::string& why);

// The same for an output option (--pdf, --chart): null, with the option and the reason on
// `err`, when there is no such entry.
void* OutputModuleEntry(const Option& option, const char* name, std::ostream& err);

// A file that could not be saved, on `err` as its message box would show it; false.
bool ReportFailedSave(const std::string& message, std::ostream& err);

}  // namespace cli
