#include "cli/program_folder.h"

#include <unistd.h>

#include <climits>

#include "storage/user_folders.h"

namespace cli {

std::string RunningProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    return storage::ProgramFolder(std::string(path, static_cast<std::size_t>(length)));
}

}  // namespace cli
