// Placeholders for the payment-register handlers until they are built; each moves to its
// own file when it is, and this file goes away.
#include "app/main_form.h"

namespace app {

void MainForm::DateTimePicker2Change() {}
void MainForm::Button4Click() {}
void MainForm::Button6Click() {}
void MainForm::N14Click() {}
void MainForm::ComputeArrears(int, double) {}
void MainForm::BuildForecast() {}
int MainForm::CountPaymentMonths(int) {
    return 0;
}
void MainForm::N12Click() {}
void MainForm::N20Click() {}

}  // namespace app
