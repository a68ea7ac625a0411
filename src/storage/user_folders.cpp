#include "storage/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace storage {

namespace {

// An environment folder counts only when it is an absolute path, as the XDG rules say.
std::string absoluteEnvironmentFolder(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return {};
    return value;
}

}  // namespace

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return ".";
}

std::string ConfigHome() {
    const std::string folder = absoluteEnvironmentFolder("XDG_CONFIG_HOME");
    return folder.empty() ? HomeFolder() + "/.config" : folder;
}

std::string DataHome() {
    const std::string folder = absoluteEnvironmentFolder("XDG_DATA_HOME");
    return folder.empty() ? HomeFolder() + "/.local/share" : folder;
}

std::string ProgramFolder(const std::string& programPath) {
    const auto slash = programPath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : programPath.substr(0, slash);
}

std::string InstalledDataFolder(const std::string& programFolder) {
    return programFolder + "/" SSUDOMER_DATA_FROM_BIN;
}

std::string LastLoanFilePath(const std::string& programPath) {
    if (!programPath.empty()) {
        const std::string folder = ProgramFolder(programPath);
        // An installed program's folder may be writable too (to root, or a /usr/local
        // shared with a group); a file there would be one loan for every user, and would
        // stay behind when the package is removed.
        const bool installed = access(InstalledDataFolder(folder).c_str(), F_OK) == 0;
        if (!installed && access(folder.c_str(), W_OK) == 0)
            return folder + "/" + kLastLoanFileName;
    }
    return ConfigHome() + "/ssudomer/" + kLastLoanFileName;
}

std::string UserCalendarFilePath() {
    return ConfigHome() + "/ssudomer/" + kCalendarFileName;
}

}  // namespace storage
