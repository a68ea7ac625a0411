// "Расчет": the month-by-month schedule of the calculation mode.

#include <array>
#include <cmath>
#include <string>

#include "app/main_form.h"
#include "loan/amount_limit.h"
#include "loan/annuity.h"
#include "loan/date.h"
#include "text/errors.h"
#include "loan/monthly_amounts.h"
#include "loan/number_text.h"
#include "loan/schedule_table.h"

namespace app {

namespace {

using loan::Extended;
using loan::kScale;
using loan::ScaledAmount;
using loan::ToScaled;

enum class FeeBasis { OnLoanSum, OnBalance, Fixed };

ScaledAmount percentFee(ScaledAmount base, ScaledAmount feeInput) {
    return ToScaled(loan::RoundFraction(
        100, loan::PercentOf(loan::ToUnitsDouble(base), loan::ToUnitsDouble(feeInput), 1)));
}

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

void MainForm::Button1Click() {
    if (loan::ParseInteger(SpinEdit3.Text) > kMaxTermMonths) {
        showMessage(kTermTooLongCaption, kTermTooLong);
        return;
    }
    if (LoanInputsMissing()) {
        showMessage(kErrorCaption, kMissingInput);
        return;
    }
    const double loanSum = SpinEdit1.Value();
    // A sum that no ScaledAmount can hold would wrap or poison every later step.
    if (!loan::FitsScaled(loanSum)) {
        showMessage(kErrorCaption, kLoanSumTooLarge);
        return;
    }

    const FeeBasis feeBasis = A1.Checked    ? FeeBasis::Fixed
                              : N19.Checked ? FeeBasis::OnBalance
                                            : FeeBasis::OnLoanSum;
    const bool equalPayments = RadioButtonB.Checked;

    WindowFitEnabled = false;
    ClearTable();
    try {
        Loan = ToScaled(loanSum);
        TermMonths = SpinEdit3.Value();
        Rate = SpinEdit2.Value();
        const ScaledAmount feeInput = ToScaled(SpinEdit6.Value());

        Principal = loan::StandardPrincipal(Loan, TermMonths);
        // The table is empty now, and so are its totals: a calculation that stops before
        // its end must not leave an earlier loan's totals beside it.
        setSummaryLabels(FormatMoney(0));
        Label9 = FormatMoney(Principal);

        ScaledAmount regularPart = 0;
        if (equalPayments) {
            regularPart = Principal;
            Principal = loan::ParseAmount(SpinEdit5.Text, locale_);
        }
        Balance = Loan;
        loan::Date monthDate = loan::IncMonth(DateTimePicker1.Date);
        ScaledAmount fee = feeBasis == FeeBasis::Fixed ? feeInput : percentFee(Balance, feeInput);

        // The annuity depends on the loan alone, so it is the same for every row.
        const std::int64_t annuity =
            equalPayments ? loan::AnnuityPayment(loan::ToUnitsDouble(Loan), Rate, TermMonths) : 0;

        // The sums of columns 3..6 over the rows as they are written, step for step what
        // SumColumn would take over their texts; an overflow counts where the sums are taken.
        std::array<ScaledAmount, 4> sums{};
        bool sumsOverflow = false;
        // A row is written whole once its amounts are known.
        const auto writeRow = [&](int row, const std::string& number, const std::string& month,
                                  const std::string& balance,
                                  const std::array<ScaledAmount, 4>& amounts) {
            // A principal part, interest or fee past the amount limit would no longer be exact
            // to the kopeck: the schedule is refused instead. (The row's total of three such
            // figures still reads back from its cell as itself.)
            for (std::size_t i = 0; i < 3; ++i) {
                if (!loan::WithinAmountLimit(amounts[i]))
                    throw loan::AmountOverflow();
            }
            std::array<std::string, 4> money;
            for (std::size_t i = 0; i < amounts.size(); ++i) {
                money[i] = FormatMoney(amounts[i]);
                try {
                    sums[i] = loan::AddWrittenAmount(sums[i], amounts[i], locale_);
                } catch (const loan::AmountOverflow&) {
                    sumsOverflow = true;
                }
            }
            StringGrid1.setRow(row,
                               {number, month, balance, money[0], money[1], money[2], money[3]});
        };

        int lastRow = 0;
        for (int row = 1;; ++row) {
            if (!loan::WithinAmountLimit(Balance))
                throw loan::AmountOverflow();
            Interest = loan::MonthlyInterest(Balance, Rate);
            StringGrid1.setRowCount(row < 10 ? 10 : row + 1);
            const std::string number = std::to_string(row);
            const std::string month = loan::FormatMonthYear(monthDate, locale_);
            const std::string balance = FormatMoney(Balance);
            if (feeBasis == FeeBasis::OnBalance)
                fee = percentFee(Balance, feeInput);

            if (!equalPayments) {
                if (Principal > Balance)
                    Principal = Balance;
                writeRow(row, number, month, balance,
                         {Principal, Interest, fee,
                          loan::AddAmounts(loan::AddAmounts(Principal, Interest), fee)});
                Balance -= Principal;
            } else {
                const ScaledAmount annuityScaled = ToScaled(static_cast<Extended>(annuity));
                if (!CheckBox1.Checked && row == 1 && Principal != annuityScaled) {
                    // The message stands over the row's first cells, as they were written.
                    StringGrid1.setRow(row, {number, month, balance}, 3);
                    showMessage(kAttentionCaption,
                                paymentMismatchMessage(FormatMoney(annuityScaled)));
                    ClearTable();
                    SpinEdit5.SetValue(annuity);
                    return;
                }
                Principal = static_cast<ScaledAmount>(SpinEdit5.Value()) * kScale;
                if (CheckBox1.Checked && regularPart > Principal - Interest) {
                    Principal = loan::AddAmounts(regularPart, Interest);
                }
                const ScaledAmount due = loan::AddAmounts(Balance, Interest);
                if (Principal > due)
                    Principal = due;
                writeRow(row, number, month, balance,
                         {Principal - Interest, Interest, fee, loan::AddAmounts(Principal, fee)});
                Balance -= Principal - Interest;
            }
            monthDate = loan::IncMonth(monthDate);
            if (Balance == 0 || row + 1 > TermMonths) {
                lastRow = row;
                break;
            }
        }

        Button5.Enabled = true;
        Label11 = FormatMoney(Balance);
        if (sumsOverflow)
            throw loan::AmountOverflow();
        Label15 = FormatMoney(sums[3]);
        Label17 = FormatMoney(sums[1]);
        Label19 = FormatMoney(0);
        StringGrid1.setRowCount(lastRow <= 8 ? 10 : lastRow + 2);
        const int totalsRow = lastRow + 1;
        StringGrid1.setCell(0, totalsRow, loan::kTotalsLabel);
        for (int column = 3; column <= 6; ++column) {
            StringGrid1.setCell(column, totalsRow,
                                FormatMoney(sums[static_cast<std::size_t>(column - 3)]));
        }
    } catch (const loan::AmountOverflow&) {
        // A rate so high that the sums leave the 64-bit range: no half-built schedule stays.
        ClearTable();
        setSummaryLabels(FormatMoney(0));
        showMessage(kErrorCaption, "Суммы слишком велики для расчета...");
        return;
    }
    WindowFitEnabled = true;
    AdjustWindowToRows();
}

}  // namespace app
