#pragma once

// The command line's table output: the schedule or the register and its summary, aligned
// for reading or as CSV.

#include <ostream>

#include "app/main_form.h"
#include "app/table_report.h"

namespace cli {

enum class ReportFormat { Aligned, Csv };

// The header row, every table row from row 1 that holds text, an empty line, then the
// summary values as caption and value. The CSV form is the window's export with plain line
// feeds and no byte-order mark, as other command-line tools expect.
void PrintReport(const app::TableReport& report, ReportFormat format, std::ostream& out);
void PrintReport(const app::MainForm& form, ReportFormat format, std::ostream& out);

}  // namespace cli
