// Placeholder until payment files are built: the save question's "Yes" needs these two.
#include <stdexcept>

#include "app/main_form.h"

namespace app {

void MainForm::SaveFile(const std::string&) {
    throw std::runtime_error("Сохранение платежей пока не поддерживается");
}

void MainForm::N4Click() {
    SaveFile({});
}

}  // namespace app
