#include "app/loan_information.h"

#include "app/main_form.h"
#include "loan/date.h"
#include "loan/plural.h"

namespace app {

std::array<std::string, 4> LoanInformationLines(const std::string& sum, const std::string& rate,
                                                const std::string& term, const loan::Date& date) {
    return {
        "Сумма кредита          : " + sum,
        "Процентная ставка      : " + rate + " %",
        "Срок погашения         : " + term + " " + loan::MonthsWordAfter(term),
        "Дата получения кредита : " + loan::FormatShortDate(date),
    };
}

std::array<std::string, 4> LoanInformationLines(const MainForm& form) {
    return LoanInformationLines(form.SpinEdit1.Text, form.SpinEdit2.Text, form.SpinEdit3.Text,
                                form.DateTimePicker1.Date);
}

}  // namespace app
