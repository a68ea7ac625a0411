#include "storage/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>

#include "storage/file_error.h"

namespace storage {

namespace {

std::string temporaryPrefix(const std::string& target) {
    return "." + FileNameOf(target) + ".tmp-";
}

// The process id of a name "PREFIX<pid>-<n>", or 0 when the name is not of that form.
pid_t ownerOf(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix)
        return 0;
    name.remove_prefix(prefix.size());
    const auto dash = name.find('-');
    if (dash == std::string_view::npos || dash + 1 == name.size())
        return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
    if (error != std::errc() || end != name.data() + dash || pid <= 0)
        return 0;
    for (char c : name.substr(dash + 1)) {
        if (c < '0' || c > '9')
            return 0;
    }
    return pid;
}

bool processIsGone(pid_t pid) {
    return kill(pid, 0) != 0 && errno == ESRCH;
}

class Folder {
  public:
    explicit Folder(const std::string& path) : dir_(opendir(path.c_str())) {}
    ~Folder() {
        if (dir_ != nullptr)
            closedir(dir_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    DIR* get() const { return dir_; }

  private:
    DIR* dir_;
};

}  // namespace

TemporaryFile::TemporaryFile(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        FolderOf(target) + "/" + temporaryPrefix(target) + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = stem + std::to_string(counter++);
        fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST)
            break;
    }
    created_ = fd_ >= 0;
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (created_ && !renamed_)
        unlink(path_.c_str());
}

int TemporaryFile::close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
}

void RemoveStaleTemporaries(const std::string& target) {
    const Folder folder(FolderOf(target));
    if (folder.get() == nullptr)
        return;  // the save itself reports what is wrong with the folder
    const std::string prefix = temporaryPrefix(target);
    while (const dirent* entry = readdir(folder.get())) {
        const pid_t owner = ownerOf(entry->d_name, prefix);
        if (owner != 0 && owner != getpid() && processIsGone(owner))
            unlinkat(dirfd(folder.get()), entry->d_name, 0);
    }
}

}  // namespace storage
