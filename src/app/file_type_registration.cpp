// "Зарегистрировать *.crp": the program becomes the handler of payment files.

#include "app/main_form.h"
#include "storage/file_type_registry.h"

namespace app {

void MainForm::crp1Click() {
    // The path is kept as spelled: lower-casing it would name another file here.
    const storage::FileTypeRegistration registration{".crp", "crp",     "Файл платежей Ссудомера",
                                                     "Open", "Открыть", ProgramPath};
    storage::XdgFileTypeRegistry desktop;
    storage::FileTypeRegistry& registry = FileTypes != nullptr ? *FileTypes : desktop;
    registry.registerFileType(registration);
}

}  // namespace app
