#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

namespace testing_support {

// The names in a folder, hidden ones included.
inline std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// What lstat says of a path (all zero when there is nothing).
inline struct stat StatusOf(const std::string& path) {
    struct stat status {};
    lstat(path.c_str(), &status);
    return status;
}

}  // namespace testing_support
