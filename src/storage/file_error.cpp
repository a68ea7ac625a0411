#include "storage/file_error.h"

#include <sys/stat.h>

#include <cerrno>

#include "text/errors.h"

namespace storage {

namespace {

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "это папка";
    if (S_ISFIFO(mode))
        return "это именованный канал";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "это устройство";
    if (S_ISSOCK(mode))
        return "это сокет";
    return "это не обычный файл";
}

// The reason for an errno, as a sentence and as the part of one after a colon.
struct Reason {
    std::string sentence;
    std::string clause;
};

Reason reasonFor(int error, FileAccess access) {
    switch (error) {
        case ENOENT:
            // Creating fails with ENOENT only when a folder on the way is missing.
            if (access == FileAccess::Read)
                return {"Файл не найден.", "файл не найден"};
            return {"Папка не найдена.", "папка не найдена"};
        case ENOTDIR:
            return {"Папка не найдена.", "папка не найдена"};
        case EACCES:
        case EPERM:
            return {"Нет доступа.", "нет доступа"};
        case EROFS:
            return {"Диск доступен только для чтения.", "диск доступен только для чтения"};
        case EISDIR:
            return {"Это папка.", "это папка"};
        case ELOOP:
            return {"Слишком много символических ссылок.", "слишком много символических ссылок"};
        case ENOSPC:
        case EDQUOT:
            return {"Нет места на диске.", "нет места на диске"};
        case EFBIG:
            return {"Файл слишком велик.", "файл слишком велик"};
        case ENAMETOOLONG:
            return {"Слишком длинное имя файла.", "слишком длинное имя файла"};
        case EMFILE:
        case ENFILE:
            return {"Открыто слишком много файлов.", "открыто слишком много файлов"};
        case ENOMEM:
            return {"Не хватает памяти.", "не хватает памяти"};
        case EAGAIN:
        case EBUSY:
        case ETXTBSY:
            return {"Файл занят другой программой.", "файл занят другой программой"};
        case EEXIST:
            return {"Файл с таким именем уже есть.", "файл с таким именем уже есть"};
        case EMLINK:
            return {"Слишком много ссылок на файл.", "слишком много ссылок на файл"};
        case ENXIO:
        case ENODEV:
            return {"Устройство недоступно.", "устройство недоступно"};
        case EINVAL:
        case EOPNOTSUPP:
            return {"Файловая система не поддерживает эту операцию.",
                    "файловая система не поддерживает эту операцию"};
        case EINTR:
            return {"Операция прервана.", "операция прервана"};
        case EIO:
            return {"Ошибка ввода-вывода " + std::to_string(error) + ".",
                    "ошибка ввода-вывода " + std::to_string(error)};
        default:
            return {"Системная ошибка " + std::to_string(error) + ".",
                    "системная ошибка " + std::to_string(error)};
    }
}

}  // namespace

std::string FileErrorText(int error, FileAccess access) {
    return reasonFor(error, access).sentence;
}

std::string FileErrorClause(int error, FileAccess access) {
    return reasonFor(error, access).clause;
}

std::string FileErrorText(int error, FileAccess access, const std::string& name) {
    const std::string quoted = "Файл \"" + loan::Excerpt(name) + "\"";
    if (error == ENOENT && access == FileAccess::Read)
        return quoted + " не найден.";
    const char* failed = access == FileAccess::Read ? " не прочитан: " : " не записан: ";
    return quoted + failed + reasonFor(error, access).clause + ".";
}

std::string NotRegularFileText(const std::string& name, mode_t mode, FileAccess access) {
    const std::string quoted = "Файл \"" + loan::Excerpt(name) + "\"";
    if (access == FileAccess::Read)
        return quoted + " не прочитан: " + kindOf(mode) + ", а не обычный файл.";
    return quoted + " не записан: " + kindOf(mode) +
           ", а сохранять можно только в обычный файл; ничего не изменено.";
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace storage
