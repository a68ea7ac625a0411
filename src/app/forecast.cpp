// The forecast of the remaining months below the recorded payments, and its two options.

#include <algorithm>
#include <string>

#include "app/main_form.h"
#include "loan/advance.h"
#include "loan/date.h"
#include "loan/forecast.h"
#include "loan/plural.h"

namespace app {

namespace {

constexpr const char* kNeverRepaid =
    "Прогноз невозможен: при таком платеже кредит никогда не будет выплачен!!!\r"
    "Ежемесячный платеж должен быть больше процентов за месяц.";

// A fixed amount below the regular principal plus the month's interest is raised to that
// for the month. Interest falls with the balance, so the raised months come first; `raised`
// of `total` months were.
std::string replacedAmountText(const std::string& amount, const std::string& principal,
                               std::size_t raised, std::size_t total) {
    std::string where;
    if (raised == total) {
        where = "Во всех месяцах прогноза";
    } else if (raised == 1) {
        where = "В первом месяце прогноза";
    } else {
        where = "В первые " + std::to_string(raised) + " " +
                loan::MonthsWord(static_cast<long long>(raised)) + " прогноза";
    }
    return "Платеж " + amount + " меньше обычной части долга (" + principal +
           ") с процентами за месяц.\r" + where +
           " вместо него взят обычный платеж: часть долга плюс проценты.";
}

}  // namespace

int MainForm::CountPaymentMonths(int n) {
    return runningTotals_.paymentMonthCount(StringGrid1, n, MonthDistance);
}

void MainForm::BlankRowsAfterPayments() {
    StringGrid1.clearRows(NextRow, StringGrid1.rowCount());
    // One empty row always stays below the payments, so a row written at NextRow (a new
    // payment or the first forecast month) lies inside the table.
    StringGrid1.setRowCount(std::max(loan::ScheduleTable::kMinimumRowCount, NextRow + 1));
}

void MainForm::BuildForecast(ForecastNotice notice) {
    if (NextRow < 1)
        return;
    BlankRowsAfterPayments();
    const int lastPayment = NextRow - 1;
    if (lastPayment == 0)
        return;

    loan::ForecastTerms terms{Balance, Principal, Rate, Principal, false};
    switch (Form3.Method()) {
        case ForecastMethod::Standard:
            break;
        case ForecastMethod::AveragePayment:
            terms.monthlyAmount = loan::AverageMonthlyPayment(SumColumn(5, lastPayment),
                                                              CountPaymentMonths(lastPayment));
            terms.amountIsTotal = true;
            break;
        case ForecastMethod::FixedPayment:
            terms.monthlyAmount = loan::ToScaled(Form3.FloatSpinEdit1.Value());
            terms.amountIsTotal = true;
            break;
    }
    const auto months = loan::ForecastMonths(terms);
    if (!months) {
        showMessage(kErrorCaption, kNeverRepaid);
        return;
    }
    if (months->empty())
        return;  // paid off: nothing to forecast
    // Months count on from the last payment; none is forecast past the program's last date.
    const std::string& lastDate = StringGrid1.cell(1, lastPayment);
    if (lastDate.find('.') != std::string::npos &&
        CheckLastDate(loan::ParseShortDate(lastDate), static_cast<std::int64_t>(months->size()))) {
        showMessage(kErrorCaption, kPastLastDate);
        return;
    }

    loan::Date monthDate = DateTimePicker1.Date;
    int row = NextRow;
    for (const loan::ForecastMonth& month : *months) {
        if (row >= 9)
            StringGrid1.setRowCount(StringGrid1.rowCount() + 1);
        // Months count on from the last payment's date (a date with "."); below it, from
        // the month before.
        const std::string& previous = StringGrid1.cell(1, row - 1);
        if (previous.find('.') != std::string::npos)
            monthDate = loan::ParseShortDate(previous);
        monthDate = loan::IncMonth(monthDate);
        StringGrid1.setCell(0, row, std::to_string(row));
        StringGrid1.setCell(1, row, loan::FormatMonthYear(monthDate, locale_));
        StringGrid1.setCell(2, row, FormatMoney(month.balance));
        StringGrid1.setCell(3, row, FormatMoney(month.principal));
        StringGrid1.setCell(4, row, FormatMoney(month.interest));
        StringGrid1.setCell(5, row, FormatMoney(month.total));
        ++row;
    }
    Interest = months->back().interest;
    StringGrid1.setCell(0, row, loan::kTotalsLabel);
    // SumColumn over payments and forecast: the sums over the payments are kept, and the
    // forecast months are added as the amounts their cells were written from.
    for (int column = 3; column <= 5; ++column) {
        loan::ScaledAmount sum = SumColumn(column, NextRow - 1);
        for (const loan::ForecastMonth& month : *months) {
            const loan::ScaledAmount amount = column == 3   ? month.principal
                                              : column == 4 ? month.interest
                                                            : month.total;
            sum = loan::AddWrittenAmount(sum, amount, locale_);
        }
        StringGrid1.setCell(column, row, FormatMoney(sum));
    }
    AdjustWindowToRows();
    if (notice == ForecastNotice::ReportReplacedAmount &&
        Form3.Method() == ForecastMethod::FixedPayment) {
        const auto raised = static_cast<std::size_t>(
            std::count_if(months->begin(), months->end(), [&](const loan::ForecastMonth& month) {
                return month.total > terms.monthlyAmount;
            }));
        if (raised > 0) {
            showMessage(kAttentionCaption,
                        replacedAmountText(FormatMoney(terms.monthlyAmount),
                                           FormatMoney(Principal), raised, months->size()));
        }
    }
}

void MainForm::N12Click() {
    // Outside the payment-input mode the options only keep their marks: the computed
    // schedule stays in the table.
    const bool paymentInput = N16.Checked;
    if (N12.Checked) {
        N12.Checked = false;
        N20.Enabled = false;
        if (paymentInput) {
            BlankRowsAfterPayments();
            AdjustWindowToRows();
        }
        return;
    }
    N12.Checked = true;
    N20.Enabled = true;
    port_.showForecastSettings();
    if (paymentInput)
        BuildForecast(ForecastNotice::ReportReplacedAmount);
}

void MainForm::N20Click() {
    port_.showForecastSettings();
    if (N16.Checked)
        BuildForecast(ForecastNotice::ReportReplacedAmount);
}

}  // namespace app
