#include "storage/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <vector>

namespace storage {

namespace {

// Room kept for "PID-N" after the prefix: a pid of up to 7 digits, a counter of up to 10.
constexpr std::size_t kSuffixRoom = 18;
// The name kept in the short form, for file systems that admit less than NAME_MAX.
constexpr std::size_t kShortNameBytes = 32;

// The name cut to at most `bytes`, not inside a UTF-8 character.
std::string cutName(const std::string& name, std::size_t bytes) {
    if (name.size() <= bytes)
        return name;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.substr(0, end);
}

// The prefixes a temporary file of this target may have: the whole name (or as much of it
// as NAME_MAX leaves room for), then the short form.
std::vector<std::string> temporaryPrefixes(const std::string& name) {
    const std::size_t fixed = 1 + 5 + kSuffixRoom;  // "." before, ".tmp-" after, the suffix
    std::vector<std::string> prefixes{"." + cutName(name, NAME_MAX - fixed) + ".tmp-"};
    std::string shortForm = "." + cutName(name, kShortNameBytes) + ".tmp-";
    if (shortForm != prefixes.front())
        prefixes.push_back(std::move(shortForm));
    return prefixes;
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
    explicit Folder(int folder) {
        const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            dir_ = fdopendir(fd);
            if (dir_ == nullptr)
                close(fd);
        }
    }
    ~Folder() {
        if (dir_ != nullptr)
            closedir(dir_);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    DIR* get() const { return dir_; }

  private:
    DIR* dir_ = nullptr;
};

bool& noUnnamedFiles() {
    static bool refused = false;
    return refused;
}

// Errors of O_TMPFILE that say the file system (or kernel) has no unnamed files.
bool noUnnamedFilesHere(int error) {
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Tries the temporary names of `target` in turn: `make` creates the file under the name
// given and returns 0 or errno; EEXIST moves on to the next number, ENAMETOOLONG to the
// short form. Returns the last result; `chosen` is the name last tried.
template <typename Make>
int tryTemporaryNames(const std::string& target, std::string& chosen, Make make) {
    static std::atomic<unsigned> counter{0};
    int error = 0;
    for (const std::string& prefix : temporaryPrefixes(target)) {
        const std::string stem = prefix + std::to_string(getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            chosen = stem + std::to_string(counter++);
            error = make(chosen);
            if (error != EEXIST)
                break;
        }
        if (error != ENAMETOOLONG)
            break;
    }
    return error;
}

}  // namespace

TemporaryFile::TemporaryFile(int folder, const std::string& name) : folder_(folder), target_(name) {
    if (!noUnnamedFiles()) {
        fd_ = openat(folder_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (fd_ >= 0 || !noUnnamedFilesHere(errno))
            return;
    }
    const int error = makeNamed(name);
    if (error != 0)
        errno = error;
}

int TemporaryFile::makeNamed(const std::string& target) {
    const int error = tryTemporaryNames(target, name_, [this](const std::string& name) {
        fd_ = openat(folder_, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return fd_ >= 0 ? 0 : errno;
    });
    created_ = fd_ >= 0;
    return error;
}

int TemporaryFile::link(const std::string& name) const {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT)
        return errno;
    // No /proc: the descriptor itself, which only a privileged process may link.
    return linkat(fd_, "", folder_, name.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

int TemporaryFile::giveName() {
    if (!unnamed())
        return 0;
    const int error =
        tryTemporaryNames(target_, name_, [this](const std::string& name) { return link(name); });
    created_ = error == 0;
    return error;
}

int TemporaryFile::linkAs(const std::string& name) {
    const int error = link(name);
    if (error == 0) {
        name_ = name;
        renamed_ = true;
    }
    return error;
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (created_ && !renamed_)
        unlinkat(folder_, name_.c_str(), 0);
}

ScopedNoUnnamedFiles::ScopedNoUnnamedFiles() : previous_(noUnnamedFiles()) {
    noUnnamedFiles() = true;
}

ScopedNoUnnamedFiles::~ScopedNoUnnamedFiles() {
    noUnnamedFiles() = previous_;
}

int OpenSpoolFile() {
    const char* folder = getenv("TMPDIR");
    std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    const int fd = open(path.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR))
        return fd;
    // A file system without unnamed files: a named one, unlinked at once.
    path += "/.ssudomer-spool-XXXXXX";
    const int named = mkostemp(path.data(), O_CLOEXEC);
    if (named >= 0)
        unlink(path.c_str());
    return named;
}

void RemoveStaleTemporaries(int folder, const std::string& name) {
    const Folder entries(folder);
    if (entries.get() == nullptr)
        return;  // the save itself reports what is wrong with the folder
    const std::vector<std::string> prefixes = temporaryPrefixes(name);
    while (const dirent* entry = readdir(entries.get())) {
        for (const std::string& prefix : prefixes) {
            const pid_t owner = ownerOf(entry->d_name, prefix);
            if (owner != 0 && owner != getpid() && processIsGone(owner)) {
                unlinkat(dirfd(entries.get()), entry->d_name, 0);
                break;
            }
        }
    }
}

}  // namespace storage
