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

}  // namespace

TemporaryFile::TemporaryFile(int folder, const std::string& name) : folder_(folder) {
    static std::atomic<unsigned> counter{0};
    for (const std::string& prefix : temporaryPrefixes(name)) {
        const std::string stem = prefix + std::to_string(getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = stem + std::to_string(counter++);
            fd_ = openat(folder_, name_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST)
                break;
        }
        if (fd_ >= 0 || errno != ENAMETOOLONG)
            break;
    }
    created_ = fd_ >= 0;
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (created_ && !renamed_)
        unlinkat(folder_, name_.c_str(), 0);
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
