#pragma once

#include <ostream>

#include "app/main_form.h"

namespace cli {

enum class ReportFormat { Aligned, Csv };

// The header row, every table row from row 1 that holds text, an empty line, then the six
// summary values as caption and value.
void PrintReport(const app::MainForm& form, ReportFormat format, std::ostream& out);

}  // namespace cli
