#pragma once

// What the print window puts on the first page above the table: the loan as it stands in
// the input fields, one line per value, the values lined up for a fixed-pitch font.

#include <array>
#include <string>

#include "loan/date.h"

namespace app {

class MainForm;

// "Сумма кредита", "Процентная ставка", "Срок погашения" and "Дата получения кредита",
// each label padded to 25 characters with its ": ", followed by the field's text as it
// stands (the rate with " %", the term with "месяц", "месяца" or "месяцев" as its number
// asks) or the date in the short format.
std::array<std::string, 4> LoanInformationLines(const MainForm& form);
// The same lines for values given as texts.
std::array<std::string, 4> LoanInformationLines(const std::string& sum, const std::string& rate,
                                                const std::string& term, const loan::Date& date);

}  // namespace app
