// "Расчет": the month-by-month schedule of the calculation mode.

#include <array>
#include <string>

#include "app/main_form.h"
#include "loan/amount_limit.h"
#include "loan/calculation_schedule.h"
#include "loan/date.h"
#include "text/errors.h"
#include "loan/monthly_amounts.h"
#include "loan/number_text.h"
#include "loan/schedule_table.h"

namespace app {

namespace {

std::string paymentMismatchMessage(const std::string& annuityText) {
    return "Сумма платежа с учетом исходных данных должна быть равна " + annuityText +
           " для кредитов,\r"
           "платежи по которым осуществляются равными частями.\r"
           "Если вы хотите посмотреть за какой промежуток времени вы выплатите кредит,\r"
           "платя определенную (среднюю) сумму в месяц (для дифференцированных платежей),\r"
           "отметьте \"Диф.платежи - равными частями\"...";
}

}  // namespace

bool MainForm::LoanInputsMissing() const {
    return SpinEdit1.Value() <= 0 || SpinEdit3.Value() == 0 || SpinEdit2.Value() == 0;
}

HandlerOutcome MainForm::Button1Click() {
    if (const InputCheck refusal = CheckTermLimit(loan::ParseInteger(SpinEdit3.Text)))
        return refuse(refusal->caption, refusal->text);
    if (LoanInputsMissing())
        return refuse(kErrorCaption, kMissingInput);
    if (const InputCheck refusal = CheckLastDate(DateTimePicker1.Date, SpinEdit3.Value()))
        return refuse(refusal->caption, refusal->text);
    const double loanSum = SpinEdit1.Value();
    // A sum that no ScaledAmount can hold would wrap or poison every later step.
    if (const InputCheck refusal = CheckLoanSum(loanSum))
        return refuse(refusal->caption, refusal->text);

    WindowFitEnabled = false;
    ClearTable();
    try {
        const loan::CalculationSchedule schedule =
            loan::CalculateSchedule(startCalculation(loanSum));
        Balance = schedule.balance;
        Principal = schedule.principal;
        Interest = schedule.interest;
        if (schedule.annuityMismatch)
            return refuseTypedPayment(schedule);
        showSchedule(schedule);
    } catch (const loan::AmountOverflow&) {
        // A rate so high that the sums leave the 64-bit range: no half-built schedule stays.
        ClearTable();
        setSummaryLabels(FormatMoney(0));
        return refuse(kErrorCaption, kTooLargeAmounts);
    }
    WindowFitEnabled = true;
    AdjustWindowToRows();
    return HandlerOutcome::Done();
}

loan::CalculationTerms MainForm::startCalculation(double loanSum) {
    loan::CalculationTerms terms;
    terms.feeBasis = A1.Checked    ? loan::FeeBasis::Fixed
                     : N19.Checked ? loan::FeeBasis::OnBalance
                                   : loan::FeeBasis::OnLoanSum;
    terms.equalPayments = RadioButtonB.Checked;
    terms.ownPayment = CheckBox1.Checked;
    Loan = terms.loan = loan::ToScaled(loanSum);
    TermMonths = terms.termMonths = SpinEdit3.Value();
    Rate = terms.annualRate = SpinEdit2.Value();
    terms.feeInput = loan::ToScaled(SpinEdit6.Value());
    terms.received = DateTimePicker1.Date;

    Principal = terms.principal = loan::StandardPrincipal(Loan, TermMonths);
    // The table is empty now, and so are its totals: a calculation that stops before its end
    // must not leave an earlier loan's totals beside it.
    setSummaryLabels(FormatMoney(0));
    Label9 = FormatMoney(Principal);
    Balance = Loan;
    if (terms.equalPayments) {
        terms.regularPart = Principal;
        Principal = terms.typedPayment = loan::ParseAmount(SpinEdit5.Text, locale_);
        terms.monthlyPayment = static_cast<loan::ScaledAmount>(SpinEdit5.Value()) * loan::kScale;
    }
    return terms;
}

HandlerOutcome MainForm::refuseTypedPayment(const loan::CalculationSchedule& schedule) {
    const loan::CalculationRow& first = schedule.rows.front();
    const loan::ScaledAmount annuity = loan::ToScaled(static_cast<loan::Extended>(schedule.annuity));
    // The message stands over the row's first cells, as they were written.
    StringGrid1.setRowCount(10);
    StringGrid1.setRow(1, {"1", loan::FormatMonthYear(first.month, locale_), FormatMoney(first.balance)},
                       3);
    const HandlerOutcome mismatch =
        refuse(kAttentionCaption, paymentMismatchMessage(FormatMoney(annuity)));
    ClearTable();
    SpinEdit5.SetValue(schedule.annuity);
    return mismatch;
}

void MainForm::showSchedule(const loan::CalculationSchedule& schedule) {
    // The sums of columns 3..6 over the rows as they are written, step for step what
    // SumColumn would take over their texts; an overflow counts where the sums are taken.
    std::array<loan::ScaledAmount, 4> sums{};
    bool sumsOverflow = false;
    int row = 0;
    for (const loan::CalculationRow& amounts : schedule.rows) {
        ++row;
        StringGrid1.setRowCount(row < 10 ? 10 : row + 1);
        const std::array<loan::ScaledAmount, 4> figures{amounts.principal, amounts.interest,
                                                        amounts.fee, amounts.total};
        std::array<std::string, 4> money;
        for (std::size_t i = 0; i < figures.size(); ++i) {
            money[i] = FormatMoney(figures[i]);
            try {
                sums[i] = loan::AddWrittenAmount(sums[i], figures[i], locale_);
            } catch (const loan::AmountOverflow&) {
                sumsOverflow = true;
            }
        }
        StringGrid1.setRow(row, {std::to_string(row), loan::FormatMonthYear(amounts.month, locale_),
                                 FormatMoney(amounts.balance), money[0], money[1], money[2],
                                 money[3]});
    }

    Button5.Enabled = true;
    Label11 = FormatMoney(Balance);
    if (sumsOverflow)
        throw loan::AmountOverflow();
    Label15 = FormatMoney(sums[3]);
    Label17 = FormatMoney(sums[1]);
    Label19 = FormatMoney(0);
    const int lastRow = row;
    StringGrid1.setRowCount(lastRow <= 8 ? 10 : lastRow + 2);
    const int totalsRow = lastRow + 1;
    StringGrid1.setCell(0, totalsRow, loan::kTotalsLabel);
    for (int column = 3; column <= 6; ++column)
        StringGrid1.setCell(column, totalsRow, FormatMoney(sums[static_cast<std::size_t>(column - 3)]));
}

}  // namespace app
