// "Зарегистрировать *.crp": the program becomes the handler of payment files.

#include "app/main_form.h"
#include "storage/file_error.h"
#include "storage/file_type_registry.h"

namespace app {

namespace {

constexpr const char* kRegistrationCaption = "Регистрация *.crp";

std::string placeLine(const char* what, const std::string& path, bool installed) {
    return std::string(what) + ": " + path + (installed ? " (установлен с программой)" : "");
}

}  // namespace

void MainForm::crp1Click() {
    // The path is kept as spelled: lower-casing it would name another file here.
    storage::FileTypeRegistration registration{".crp", "crp",     "Файл платежей Ссудомера",
                                               "Open", "Открыть", ProgramPath};
    // Plan files open with the program as well (in its planner).
    registration.alsoOpens.push_back(
        {".crplan", "plan", "План досрочного погашения Ссудомера", "Open", "Открыть", ProgramPath});
    storage::XdgFileTypeRegistry desktop;
    storage::FileTypeRegistry& registry = FileTypes != nullptr ? *FileTypes : desktop;
    storage::FileTypeRegistrationPlaces places;
    try {
        places = registry.registerFileType(registration);
    } catch (const storage::FileError& error) {
        showMessage(kErrorCaption, std::string("Файлы *.crp не зарегистрированы.\r") + error.what());
        return;
    }
    // The person sees what happened and where, so that it can be found and undone.
    showMessage(kRegistrationCaption,
                "Файлы *.crp и *.crplan теперь открываются Ссудомером.\r" +
                    placeLine("Тип файла", places.typeFile, places.typeInstalled) + "\r" +
                    placeLine("Ярлык программы", places.programEntry, places.entryInstalled) +
                    "\r" + "Программа по умолчанию записана в " + places.defaultsFile);
}

}  // namespace app
