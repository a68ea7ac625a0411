// The payment register: the interest preview, recording a payment, deleting the last one,
// the advance over the standard schedule and the overdue option.

#include <string>

#include "app/main_form.h"
#include "loan/advance.h"
#include "loan/amount_limit.h"
#include "loan/date.h"
#include "text/errors.h"
#include "loan/interest.h"
#include "loan/monthly_amounts.h"
#include "loan/number_text.h"

namespace app {

namespace {
constexpr const char* kPaymentTooLarge = "Слишком большая сумма платежа...";
}  // namespace

namespace {

using loan::Extended;
using loan::PaymentKind;
using loan::ScaledAmount;

constexpr const char* kBeforeLoanDate = "Дата платежа раньше даты получения кредита...";
constexpr const char* kBeforeLastPayment = "Дата платежа раньше предыдущей даты платежа...";
constexpr const char* kDebugNotice =
    "Данная функция пока не до конца отлажена,\r"
    "В случае обнаружения ошибок - пишите автору.\r"
    "В заголовке письма указывать - Ssudomer!!!";

ScaledAmount interestBetween(ScaledAmount balance, double rate, const loan::Date& later,
                             const loan::Date& earlier) {
    return loan::ToScaled(
        loan::InterestBetween(loan::ToUnitsDouble(balance), rate, later, earlier));
}

}  // namespace

std::optional<PaymentKind> MainForm::CheckedPaymentKind() const {
    if (RadioButton1.Checked)
        return PaymentKind::PrincipalPlusInterest;
    if (RadioButton3.Checked)
        return PaymentKind::InterestDeducted;
    if (RadioButton4.Checked)
        return PaymentKind::Automatic;
    return std::nullopt;
}

void MainForm::ComputeArrears(int rowCount, double monthlyPrincipal) {
    PaymentAdvance = runningTotals_.advanceOverSchedule(StringGrid1, rowCount, monthlyPrincipal,
                                                        locale_, MonthDistance);
}

void MainForm::DateTimePicker2Change() {
    previewInterest(true);
}

const char* MainForm::paymentDateRefusal(const loan::Date& paymentDate,
                                         loan::Date& previous) const {
    if (paymentDate < DateTimePicker1.Date)
        return kBeforeLoanDate;
    previous =
        NextRow > 1 ? loan::ParseShortDate(StringGrid1.cell(1, NextRow - 1)) : DateTimePicker1.Date;
    return paymentDate < previous ? kBeforeLastPayment : nullptr;
}

void MainForm::previewInterest(bool explainRefusal) {
    Rate = SpinEdit2.Value();
    const loan::Date paymentDate = DateTimePicker2.Date;
    loan::Date earlier;
    if (const char* refusal = paymentDateRefusal(paymentDate, earlier)) {
        // Interest is never counted backwards: the date gets the payment's own refusal.
        Interest = 0;
        Label13 = "0";
        if (explainRefusal)
            showMessage(kErrorCaption, refusal);
        return;
    }
    const double balance =
        NextRow > 1 ? static_cast<double>(loan::ParseNumber(Label11, locale_)) : SpinEdit1.Value();
    Interest = loan::ToScaled(loan::InterestBetween(balance, Rate, paymentDate, earlier));
    Label13 = FormatMoney(Interest);
}

HandlerOutcome MainForm::Button4Click() {
    if (LoanInputsMissing()) {
        return refuse(kErrorCaption, kMissingInput);
    }
    const std::optional<PaymentKind> kind = CheckedPaymentKind();
    if (!kind) {
        return refuse(kErrorCaption, "Введите тип платежа!!!...");
    }
    const loan::Date paymentDate = DateTimePicker2.Date;
    loan::Date previousDate;
    if (const char* refusal = paymentDateRefusal(paymentDate, previousDate)) {
        return refuse(kErrorCaption, refusal);
    }
    const bool firstPayment = NextRow <= 1;
    const bool overdueSurcharge = warnOfOverdue(firstPayment, paymentDate, previousDate);

    if (const InputCheck refusal = CheckTermLimit(loan::ParseInteger(SpinEdit3.Text)))
        return refuse(refusal->caption, refusal->text);
    if (const InputCheck refusal = CheckLastDate(DateTimePicker1.Date, SpinEdit3.Value()))
        return refuse(refusal->caption, refusal->text);
    Loan = loan::ToScaled(SpinEdit1.Value());

    if (*kind != PaymentKind::Automatic) {
        if (const std::optional<HandlerOutcome> refusal = readPaymentAmount(*kind))
            return *refusal;
    }

    TermMonths = SpinEdit3.Value();
    Rate = SpinEdit2.Value();
    if (firstPayment) {
        Loan = loan::ToScaled(SpinEdit1.Value());
        Balance = Loan;
    } else if (paymentDate == previousDate) {
        return refuse(kErrorCaption, "В один день вносить два платежа нельзя...");
    }
    if (N12.Checked && !firstPayment)
        BlankRowsAfterPayments();  // the forecast is rebuilt below the new payment

    Principal = loan::StandardPrincipal(Loan, TermMonths);
    Label9 = FormatMoney(Principal);
    Interest = interestBetween(Balance, Rate, paymentDate, previousDate);
    if (overdueSurcharge) {
        const loan::Date dayBeforeMonth =
            loan::DateFromSerial(loan::DaySerial({paymentDate.year, paymentDate.month, 1}) - 1);
        Interest = loan::AddAmounts(
            Interest, interestBetween(Balance, 2 * Rate, paymentDate, dayBeforeMonth));
    }
    // Interest past the amount limit would no longer be exact to the kopeck.
    if (!loan::WithinAmountLimit(Interest))
        throw loan::AmountOverflow();
    Label13 = FormatMoney(Interest);

    if (*kind == PaymentKind::InterestDeducted)
        PaymentPrincipal = loan::SubtractAmounts(PaymentPrincipal, Interest);
    if (*kind == PaymentKind::Automatic) {
        if (firstPayment) {
            PaymentPrincipal = Principal;
        } else {
            ComputeArrears(NextRow - 1, loan::ToUnitsDouble(Principal));
            ShowPaymentAdvance();
            PaymentPrincipal = Principal > PaymentAdvance ? Principal - PaymentAdvance : 0;
            // A second payment within a month only makes up a shortfall.
            if (SameMonth(paymentDate, previousDate))
                PaymentPrincipal = PaymentAdvance > 0 ? 0 : -PaymentAdvance;
        }
        if (loan::SubtractAmounts(Balance, PaymentPrincipal) < 0)
            PaymentPrincipal = Balance;
    }
    const ScaledAmount balanceAfter = loan::SubtractAmounts(Balance, PaymentPrincipal);
    if (balanceAfter < 0) {
        return refuse(kErrorCaption, "Сумма платежа больше остатка! Лучше используйте автоплатеж!");
    }

    recordPayment(*kind, paymentDate, balanceAfter, firstPayment);
    return HandlerOutcome::Done();
}

// A payment more than a month after the one due warns; with the overdue option it also
// carries interest at twice the rate for the days of its own month (the result).
bool MainForm::warnOfOverdue(bool firstPayment, const loan::Date& paymentDate,
                             const loan::Date& previousDate) {
    SameMonth(paymentDate, previousDate);
    if (!((firstPayment && MonthDistance > 2) || (!firstPayment && MonthDistance > 1)))
        return false;
    showMessage(kErrorCaption, "Может возникнуть просрочка!!!");
    if (!N14.Checked)
        return false;
    if (MonthDistance > 2) {
        showMessage(kAttentionCaption,
                    "Просрочка больше месяца,\r"
                    "От Вас могут потребовать полного досрочного погашения кредита!");
    }
    showMessage(kAttentionCaption, kDebugNotice);
    return true;
}

// The typed amount of a payment that is not automatic into PaymentPrincipal, or its refusal.
std::optional<HandlerOutcome> MainForm::readPaymentAmount(PaymentKind kind) {
    const double amount = SpinEdit4.Value();
    // Any zero text ("0", "0,00", an empty field) is no amount: a deducted payment of
    // nothing would only record the interest as negative principal.
    if (kind == PaymentKind::InterestDeducted && amount == 0) {
        return refuse(kErrorCaption, "Введите сумму платежа!!!");
    }
    // A negative amount would raise the debt while being recorded as a payment.
    if (amount < 0) {
        return refuse(kErrorCaption, "Сумма платежа не может быть отрицательной!!!");
    }
    if (!loan::FitsScaled(amount)) {
        return refuse(kErrorCaption, kPaymentTooLarge);
    }
    if (kind == PaymentKind::InterestDeducted &&
        loan::ParseAmount(Label13, locale_) > loan::ToScaled(amount)) {
        return refuse("Так возникнет просрочка!!!",
                      "Сумма платежа меньше процентов на текущую дату!!!");
    }
    PaymentPrincipal = loan::ToScaled(amount);
    return std::nullopt;
}

// The payment into the next row, the labels after it, and the inputs locked at the first.
void MainForm::recordPayment(PaymentKind kind, const loan::Date& paymentDate,
                             ScaledAmount balanceAfter, bool firstPayment) {
    const int row = NextRow;
    const std::string total = FormatMoney(loan::AddAmounts(PaymentPrincipal, Interest));
    Label11 = FormatMoney(balanceAfter);
    StringGrid1.setCell(0, row, std::to_string(row));
    StringGrid1.setCell(1, row, loan::FormatShortDate(paymentDate));
    StringGrid1.setCell(2, row, FormatMoney(Balance));
    StringGrid1.setCell(3, row, FormatMoney(PaymentPrincipal));
    StringGrid1.setCell(4, row, FormatMoney(Interest));
    StringGrid1.setCell(5, row, total);
    StringGrid1.setCell(6, row, loan::PaymentKindText(kind));
    ComputeArrears(row, loan::ToUnitsDouble(Principal));
    ShowPaymentAdvance();

    // Only a payment recorded locks the loan: a refused first payment leaves it open.
    if (firstPayment) {
        Button6.Enabled = true;
        SwitchInputs(false);
    }
    NextRow = row + 1;
    if (NextRow >= 9)
        StringGrid1.setRowCount(StringGrid1.rowCount() + 1);
    SelectedRow = row;
    Balance = balanceAfter;
    Button5.Enabled = true;
    Label15 = FormatMoney(SumColumn(5, row));
    Label17 = FormatMoney(SumColumn(4, row));

    // The payment that pays the loan off is unsaved like any other: closing the window
    // must still offer to save it.
    PaymentsModified = true;
    if (Balance == 0) {
        showMessage("Поздравляем!!!", "Кредит выплачен!!!!");
        Button4.Enabled = false;
    } else if (N12.Checked) {
        rebuildForecast();
    }
}

// The payment stays recorded (or deleted) when the forecast below it cannot be rebuilt: the
// error is shown as any handler's would be.
void MainForm::rebuildForecast() {
    RunReportingErrors(port_, [this] { BuildForecast(); });
}

HandlerOutcome MainForm::Button6Click() {
    if (NextRow <= 1) {
        // Nothing recorded: only the state of "no payment yet" is put back.
        Button6.Enabled = false;
        setSummaryLabels("0");
        SwitchInputs(true);
        return HandlerOutcome::NothingToDo();
    }
    Principal = loan::StandardPrincipal(Loan, TermMonths);
    Button4.Enabled = true;
    const std::string balanceText = StringGrid1.cell(2, NextRow - 1);
    Balance = loan::ParseAmount(balanceText, locale_);
    Label11 = balanceText;
    Label13 = "0";
    Label15 = "0";
    --NextRow;
    BlankRowsAfterPayments();

    if (NextRow > 1) {
        Label15 = FormatMoney(SumColumn(5, NextRow - 1));
        Label17 = FormatMoney(SumColumn(4, NextRow - 1));
        ComputeArrears(NextRow - 1, loan::ToUnitsDouble(Principal));
        ShowPaymentAdvance();
        PaymentsModified = true;
        if (N12.Checked)
            rebuildForecast();
    } else {
        Button6.Enabled = false;
        Button5.Enabled = false;
        setSummaryLabels("0");
        SwitchInputs(true);
    }
    return HandlerOutcome::Done();
}

void MainForm::N14Click() {
    if (N14.Checked) {
        N14.Checked = false;
        return;
    }
    N14.Checked = true;
    showMessage("Учет просрочки.",
                std::string("Двойная процентная ставка по просроченному платежу и\r"
                            "просроченным процентам.\r") +
                    kDebugNotice);
}

}  // namespace app
