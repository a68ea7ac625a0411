#include "cli/output_files.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "cli/messages.h"
#include "text/errors.h"
#include "text/text.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kOutputNames[] = {"pdf", "chart", "save", "save-plan"};

// Which file a name stands for: its device and inode, or, for a file not there yet, the path
// it will be made at once the links on the way (a dangling link included) are followed.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string path;

    bool operator==(const FileIdentity& other) const {
        if (exists != other.exists)
            return false;
        return exists ? device == other.device && inode == other.inode : path == other.path;
    }
};

std::string pathToBeMade(const std::string& name) {
    std::error_code error;
    fs::path path = fs::absolute(name, error);
    // A dangling link makes the file it names: follow it as the writer will.
    for (int hops = 0; hops < 40; ++hops) {
        const fs::path parent = fs::weakly_canonical(path.parent_path(), error);
        path = (error ? path.parent_path() : parent) / path.filename();
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            break;
        const fs::path target = fs::read_symlink(path, error);
        if (error)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path.lexically_normal().string();
}

FileIdentity identify(const std::string& name) {
    FileIdentity identity;
    struct stat status {};
    if (stat(name.c_str(), &status) == 0) {
        identity.exists = true;
        identity.device = status.st_dev;
        identity.inode = status.st_ino;
    } else {
        identity.path = pathToBeMade(name);
    }
    return identity;
}

std::optional<FileIdentity> standardOutputFile() {
    struct stat status {};
    if (fstat(STDOUT_FILENO, &status) != 0)
        return std::nullopt;
    return FileIdentity{true, status.st_dev, status.st_ino, {}};
}

std::string named(const Option& option) {
    return "--" + option.name + " '" + loan::Excerpt(option.value) + "'";
}

}  // namespace

void RefuseSharedOutputFiles(const std::vector<Option>& options) {
    struct Output {
        const Option* option;
        FileIdentity file;
    };
    std::vector<Output> outputs;
    for (const char* name : kOutputNames) {
        const Option* option = FindOption(options, name);
        if (option && option->value.empty())
            throw UsageError(Format(Tr("--%s takes a file name"), {option->name}));
        if (option)
            outputs.push_back({option, identify(option->value)});
    }
    const std::optional<FileIdentity> standardOutput = standardOutputFile();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (standardOutput && outputs[i].file == *standardOutput) {
            throw UsageError(Format(Tr("%s names the file standard output is writing to"),
                                    {named(*outputs[i].option)}));
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (outputs[j].file == outputs[i].file) {
                throw UsageError(Format(Tr("%s and %s name the same file"),
                                        {named(*outputs[j].option), named(*outputs[i].option)}));
            }
        }
    }
}

}  // namespace cli
