#include "storage/safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "storage/file_error.h"

namespace storage {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

int injectedFault(WriteStage stage) {
    return faultHook() ? faultHook()(stage) : 0;
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a link names, so that the link itself survives the rename.
std::string resolvedTarget(const std::string& path) {
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& target) {
        static std::atomic<unsigned> counter{0};
        const std::string stem =
            folderOf(target) + "/." + fileNameOf(target) + ".tmp-" + std::to_string(getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = stem + std::to_string(counter++);
            fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST)
                break;
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!kept_)
            unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // Closes the descriptor; returns 0 or the errno of a failed close.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }
    void keep() { kept_ = true; }

  private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);  // best effort: the rename is already done
        close(fd);
    }
}

[[noreturn]] void fail(int error, const std::string& target, bool existed) {
    std::string text = FileErrorText(error, FileAccess::Write) + "\rФайл \"" + fileNameOf(target) +
                       "\" не записан";
    text += existed ? "; прежнее содержимое файла не изменено." : ".";
    throw FileError(text);
}

}  // namespace

void WriteFileSafely(const std::string& path, std::string_view bytes) {
    const std::string target = resolvedTarget(path);
    struct stat old {};
    const bool existed = stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        fail(EISDIR, target, false);

    int error = injectedFault(WriteStage::Create);
    if (error != 0)
        fail(error, target, existed);
    TemporaryFile temporary(target);
    if (temporary.fd() < 0)
        fail(errno, target, existed);
    if (existed)
        fchmod(temporary.fd(), old.st_mode & 07777);

    error = injectedFault(WriteStage::Write);
    if (error == 0)
        error = writeAll(temporary.fd(), bytes);
    if (error != 0)
        fail(error, target, existed);

    error = injectedFault(WriteStage::Sync);
    if (error == 0 && fsync(temporary.fd()) != 0)
        error = errno;
    if (error == 0)
        error = temporary.close();
    if (error != 0)
        fail(error, target, existed);

    error = injectedFault(WriteStage::Replace);
    if (error == 0 && rename(temporary.path().c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        fail(error, target, existed);
    temporary.keep();
    syncFolder(folderOf(target));
}

ScopedWriteFault::ScopedWriteFault(WriteFaultHook hook) : previous_(std::move(faultHook())) {
    faultHook() = std::move(hook);
}

ScopedWriteFault::~ScopedWriteFault() {
    faultHook() = std::move(previous_);
}

void CreateFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw FileError(FileErrorText(error.value(), FileAccess::Write) + "\rПапка \"" + folder +
                        "\" не создана.");
    }
}

}  // namespace storage
