// Placeholders for the payment-file handlers until they are built; each moves to its own
// file when it is, and this file goes away.
#include <stdexcept>

#include "app/main_form.h"

namespace app {

void MainForm::SaveFile(const std::string&) {
    throw std::runtime_error("Сохранение платежей пока не поддерживается");
}
void MainForm::N4Click() {
    SaveFile({});
}
void MainForm::LoadPaymentFile(const std::string&) {
    throw std::runtime_error("Загрузка платежей пока не поддерживается");
}
void MainForm::N3Click() {}
void MainForm::crp1Click() {}
void MainForm::ReadLastLoanFile() {}
void MainForm::OpenCommandLineFile(const std::vector<std::string>&) {}
void MainForm::FormClose() {}

}  // namespace app
