// The two modes, the clearing operations, the loan-input lock and the calculation options.

#include "app/main_form.h"

namespace app {

// Once its payments leave the table, the loaded file is no longer the one being edited: a
// later "Yes" to the save question must ask for a file instead of overwriting it.
void MainForm::ForgetLoadedFile() {
    CurrentFileName.clear();
    CurrentFilePath.clear();
}

void MainForm::N13Click() {
    if (!ConfirmDiscardPayments())
        return;
    N13.Checked = true;
    N16.Checked = false;
    GroupBox2 = {false, false};
    Button4.Enabled = false;
    Button6.Enabled = false;
    Button1.Enabled = true;
    Button2.Caption = "Режим ввода";
    Caption = kCalculationCaption;
    WriteHeaders(loan::kCalculationHeaders, {0, 5, 6});
    ClearTable();
    ForgetLoadedFile();
    setSummaryLabels("0");
    NextRow = 1;
    SwitchInputs(true);
}

void MainForm::N16Click() {
    N16.Checked = true;
    N13.Checked = false;
    GroupBox2 = {true, true};
    Button1.Enabled = false;
    Button4.Enabled = true;
    Button6.Enabled = false;
    DateTimePicker2.Date = port_.today();
    Button2.Caption = "Режим расчета";
    Caption = kPaymentInputCaption;
    WriteHeaders(loan::kPaymentHeaders, {0, 6, 5});
    ClearTable();
    ForgetLoadedFile();
    setSummaryLabels("0");
    NextRow = 1;
    SwitchInputs(true);
}

void MainForm::Button2Click() {
    if (!ConfirmDiscardPayments())
        return;
    if (N16.Checked) {
        N13Click();  // asks nothing now: the flag was just cleared
    } else {
        N16Click();
    }
    NextRow = 1;
    SwitchInputs(true);
}

void MainForm::N2Click() {
    if (!ConfirmDiscardPayments())
        return;
    StartNewLoan();
}

void MainForm::StartNewLoan() {
    FullClear();
    SpinEdit1.SetValue(0);
    SpinEdit2.SetValue(0);
    SpinEdit3.SetValue(0);
    DateTimePicker1.Date = port_.today();
    SwitchInputs(true);
}

void MainForm::Button5Click() {
    if (!ConfirmDiscardPayments())
        return;
    FullClear();
}

void MainForm::FullClear() {
    ClearGridSelection();
    ClearTable();
    ForgetLoadedFile();
    if (N13.Checked) {
        Button4.Enabled = false;
    } else {
        Button4.Enabled = true;
        Caption = kPaymentInputCaption;
    }
    Button5.Enabled = false;
    Button6.Enabled = false;
    setSummaryLabels("0");
    SwitchInputs(true);
}

void MainForm::SwitchInputs(bool open) {
    SpinEdit1.Enabled = open;
    SpinEdit2.Enabled = open;
    SpinEdit3.Enabled = open;
    DateTimePicker1.Enabled = open;
}

void MainForm::RadioButtonAClick() {
    RadioButtonA.Checked = true;
    RadioButtonB.Checked = false;
    SpinEdit5.Enabled = false;
    CheckBox1.Enabled = false;
}

void MainForm::RadioButtonBClick() {
    RadioButtonB.Checked = true;
    RadioButtonA.Checked = false;
    SpinEdit5.Enabled = true;
    CheckBox1.Enabled = true;
}

namespace {
constexpr const char* kPercentFeeCaption = "Обслуживание (%):";
constexpr const char* kFixedFeeCaption = "Обслуживание:";
constexpr double kPercentFeeLimit = 100;
}  // namespace

void MainForm::N18Click() {
    N18.Checked = true;
    N19.Checked = A1.Checked = false;
    Label21 = kPercentFeeCaption;
    SpinEdit6.SetBounds(0, kPercentFeeLimit);
}

void MainForm::N19Click() {
    N19.Checked = true;
    N18.Checked = A1.Checked = false;
    Label21 = kPercentFeeCaption;
    SpinEdit6.SetBounds(0, kPercentFeeLimit);
}

void MainForm::A1Click() {
    A1.Checked = true;
    N18.Checked = N19.Checked = false;
    Label21 = kFixedFeeCaption;
    SpinEdit6.SetBounds(0, 0);  // equal bounds: no limit
}

}  // namespace app
