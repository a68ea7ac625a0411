#include "storage/file_error.h"

#include <sys/stat.h>

#include <cerrno>

#include "loan/errors.h"

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

}  // namespace

std::string FileErrorText(int error, FileAccess access) {
    switch (error) {
        case ENOENT:
            // Creating fails with ENOENT only when a folder on the way is missing.
            return access == FileAccess::Read ? "File not found" : "Path not found";
        case ENOTDIR:
            return "Path not found";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return "File access denied";
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return "Disk write error";
        default:
            return "I/O error " + std::to_string(error);
    }
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
