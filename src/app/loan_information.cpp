#include "app/loan_information.h"

#include "app/main_form.h"
#include "loan/date.h"

namespace app {

std::array<std::string, 4> LoanInformationLines(const MainForm& form) {
    return {
        "Сумма кредита          : " + form.SpinEdit1.Text,
        "Процентная ставка      : " + form.SpinEdit2.Text + "  %",
        "Срок погашения         : " + form.SpinEdit3.Text + "  месяцев",
        "Дата получения кредита : " + loan::FormatShortDate(form.DateTimePicker1.Date),
    };
}

}  // namespace app
