#include "storage/file_error.h"

#include <cerrno>

namespace storage {

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

}  // namespace storage
