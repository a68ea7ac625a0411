#include "app/loan_header.h"

#include "loan/date.h"
#include "loan/text.h"

namespace app {

std::vector<std::string> LoanHeaderLines(const MainForm& form) {
    if (form.SpinEdit1.Value() == 0 || form.SpinEdit3.Value() == 0 || form.SpinEdit2.Value() == 0)
        return {};
    return {form.SpinEdit1.Text, form.SpinEdit2.Text, form.SpinEdit3.Text,
            loan::FormatShortDate(form.DateTimePicker1.Date)};
}

bool ApplyLoanHeader(MainForm& form, const std::vector<std::string>& lines) {
    const auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    if (line(0).empty() || line(1).empty() || line(2).empty()) {
        form.SpinEdit1.SetValue(0);
        form.SpinEdit2.SetValue(0);
        form.SpinEdit3.SetValue(0);
        form.DateTimePicker1.Date = form.port().today();
        return false;
    }
    form.SpinEdit1.Text = loan::NormalizeDecimalSeparator(line(0), form.locale());
    form.SpinEdit2.Text = loan::NormalizeDecimalSeparator(line(1), form.locale());
    form.SpinEdit3.Text = loan::NormalizeDecimalSeparator(line(2), form.locale());
    form.DateTimePicker1.Date = loan::ParseShortDate(line(3));
    return true;
}

}  // namespace app
