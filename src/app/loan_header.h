#pragma once

// The four LoanHeader lines (sum, rate, term, date) that open a payment file and make up
// the last-loan file.

#include <string>
#include <vector>

#include "app/main_form.h"

namespace app {

// The texts of the loan inputs and the short date; no lines when the sum, the term or the
// rate is zero (such a loan is kept as an empty file).
std::vector<std::string> LoanHeaderLines(const MainForm& form);

// Puts header lines (missing ones read as empty) into the loan inputs, numbers with the
// form's decimal separator. When the sum, rate or term line is empty the inputs become 0
// and the date today, and the result is false. A date line that is no date throws after
// the three numbers were set.
bool ApplyLoanHeader(MainForm& form, const std::vector<std::string>& lines);

}  // namespace app
