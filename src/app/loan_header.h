#pragma once

// The four LoanHeader lines (sum, rate, term, date) that open a payment file and make up
// the last-loan file.

#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "loan/date.h"

namespace app {

// A header that reads as a loan: the texts for the three number fields (with the form's
// decimal separator) and the date.
struct LoanHeader {
    std::string sum, rate, term;
    loan::Date date;
    // The sum and the term as read from their texts (the sum for a payment file only).
    loan::ScaledAmount amount = 0;
    std::int32_t months = 0;
};

// The texts of the loan inputs and the short date; no lines when the sum, the term or the
// rate is zero (no payment file is written of such a loan).
std::vector<std::string> LoanHeaderLines(const MainForm& form);

// The last-loan file's four lines: the loan inputs as they stand, a zero included, so that
// the next start shows what was left in them. A field whose text is no number (emptied, a
// lone "-") is written as the value it stands for.
std::vector<std::string> LastLoanLines(const MainForm& form);

// Reads header lines (missing ones read as empty), numbers with either separator. None when
// the sum, rate or term line is empty: such a file holds no loan. A line that is not what
// its field takes (a number, a sum that fits an amount, a whole number of months from 1, a
// date) throws loan::ConversionError naming the line: «Строка 2 (процентная ставка): "x" —
// нужно число.».
std::optional<LoanHeader> ReadLoanHeader(const std::vector<std::string>& lines,
                                         const loan::Locale& locale);

// The same for the last-loan file, which keeps the inputs as they were left: any number goes
// back into its field (a zero term, a sum too large to compute with); the amount is not read.
std::optional<LoanHeader> ReadLastLoanHeader(const std::vector<std::string>& lines,
                                             const loan::Locale& locale);

// Puts a header into the loan inputs; none makes them 0 and the date today.
void ApplyLoanHeader(MainForm& form, const std::optional<LoanHeader>& header);

}  // namespace app
