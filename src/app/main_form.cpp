#include "app/main_form.h"

#include "loan/amount_limit.h"
#include "loan/date.h"
#include "text/errors.h"

namespace app {

MainForm::MainForm(FormPort& port, loan::Locale locale)
    : port_(port),
      locale_(std::move(locale)),
      SpinEdit1(locale_),
      SpinEdit2(locale_),
      SpinEdit3(locale_),
      SpinEdit5(locale_),
      SpinEdit6(locale_),
      SpinEdit4(locale_),
      Form3(locale_) {
    // An amount beyond this is refused rather than computed with figures that lose kopecks.
    SpinEdit1.MaxValue = loan::kMaxAmountUnits;
    Form3.FloatSpinEdit1.MaxValue = loan::kMaxAmountUnits;
    SpinEdit2.MaxValue = kMaxRatePercent;
    SpinEdit3.MaxValue = 100000;
    SpinEdit5.MaxValue = kMaxMonthlyPayment;
    SpinEdit5.Enabled = false;
    CheckBox1.Enabled = false;
    SpinEdit6.MaxValue = 100;
    Label21 = "Обслуживание (%):";
    GroupBox2 = {false, false};
    Caption = kCalculationCaption;
    WriteHeaders(loan::kCalculationHeaders, {0, 1, 2, 3, 4, 5, 6});
}

bool RunReportingErrors(FormPort& port, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const loan::AmountOverflow&) {
        port.showMessage(kErrorCaption, kTooLargeAmounts);
    } catch (const std::exception& error) {
        port.showMessage(kApplicationTitle, error.what());
    }
    return false;
}

std::string MainForm::FormatMoney(loan::ScaledAmount amount) const {
    return loan::FormatMoney(amount, locale_);
}

loan::ScaledAmount MainForm::SumColumn(int column, int count) {
    return runningTotals_.sumColumn(StringGrid1, column, count, locale_);
}

void MainForm::ClearTable() {
    ++TableClearings;
    PreviousRowCount = StringGrid1.rowCount();
    StringGrid1.clearRows(1, PreviousRowCount);
    NextRow = 1;
    StringGrid1.setRowCount(loan::ScheduleTable::kMinimumRowCount);
}

bool MainForm::SameMonth(const loan::Date& later, const loan::Date& earlier) {
    return loan::SameMonth(later, earlier, MonthDistance);
}

void MainForm::WriteHeaders(const loan::HeaderTexts& headers, std::initializer_list<int> columns) {
    for (int column : columns) {
        StringGrid1.setCell(column, 0, headers[static_cast<std::size_t>(column)]);
    }
}

void MainForm::setSummaryLabels(const std::string& text) {
    Label9 = Label11 = Label13 = Label15 = Label17 = Label19 = text;
}

void MainForm::ShowPaymentAdvance() {
    Label19 =
        PaymentAdvance < 0 ? "- " + FormatMoney(-PaymentAdvance) : FormatMoney(PaymentAdvance);
}

void MainForm::FormShow() {
    WindowFitEnabled = true;
    ClearGridSelection();
    Caption = kCalculationCaption;
    WriteHeaders(loan::kCalculationHeaders, {0, 1, 2, 3, 4, 5, 6});
}

int MainForm::AskSaveChanges() {
    if (!PaymentsModified)
        return kAnswerNo;
    return port_.askYesNoCancel(
        "Сохранить изменения?",
        "Сохранить файл платежей?\rВсе несохраненные изменения будут утеряны!!!");
}

bool MainForm::answerSaveQuestion() {
    const int answer = AskSaveChanges();
    if (answer == kAnswerCancel)
        return false;
    return answer != kAnswerYes || savePaymentsAsAsked();
}

// "Yes" asked for the payments to be kept: only a file really written lets the operation go
// on. A cancelled file dialog ends it here; a failed save throws, and its message ends it.
bool MainForm::savePaymentsAsAsked() {
    if (!CurrentFileName.empty()) {
        // The full path: the bare name would land in the process's current folder.
        SaveFile(CurrentFilePath.empty() ? CurrentFileName : CurrentFilePath);
    } else if (const auto path = port_.chooseFileToSave()) {
        SaveFile(*path);
    }
    return !PaymentsModified;  // only a completed save clears the mark
}

bool MainForm::ConfirmDiscardPayments() {
    if (!answerSaveQuestion())
        return false;
    PaymentsModified = false;
    return true;
}

bool MainForm::FormCloseQuery() {
    return answerSaveQuestion();
}

}  // namespace app
