#include "storage/safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <optional>
#include <system_error>

#include "loan/errors.h"
#include "storage/file_error.h"
#include "storage/temporary_file.h"

namespace storage {

namespace {

WriteFaultHook& faultHook() {
    static WriteFaultHook hook;
    return hook;
}

int injectedFault(WriteStage stage) {
    return faultHook() ? faultHook()(stage) : 0;
}

[[noreturn]] void fail(int error, const std::string& target, bool existed) {
    std::string text = FileErrorText(error, FileAccess::Write) + "\rФайл \"" +
                       loan::Excerpt(FileNameOf(target)) + "\" не записан";
    text += existed ? "; прежнее содержимое файла не изменено." : ".";
    throw FileError(text);
}

// The path a chain of symbolic links ends at, whether or not a file is there yet: a save
// through a link replaces (or creates) the file it names and the link stays.
std::string followLinks(const std::string& path) {
    constexpr int kMaxLinks = 40;  // as the kernel allows before ELOOP
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), target, sizeof target - 1);
        if (length < 0)
            return current;  // not a link (or nothing there): this is the file
        const std::string text(target, static_cast<std::size_t>(length));
        current = !text.empty() && text.front() == '/' ? text : FolderOf(current) + "/" + text;
    }
    fail(ELOOP, path, true);
}

// Errors of creating the temporary file that say the folder admits none, while the file
// itself may still be writable.
bool folderRefusesNewFiles(int error) {
    return error == EACCES || error == EPERM || error == EDQUOT;
}

// A rename would give the file a new inode: its other hard links would keep the old text,
// and a file of another user would become the writer's.
bool mustKeepInode(const struct stat& old) {
    return old.st_nlink > 1 || old.st_uid != geteuid();
}

int writeAllAt(int fd, std::string_view bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t written = pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
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

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// Overwrites the file itself: same inode, owner, permissions and links. The space is
// reserved first, so a full disk fails before a byte changes; a failure after that (or a
// kill) can leave the file part old, part new, which the message says.
void writeInPlace(const std::string& target, const struct stat& old, std::string_view bytes) {
    Descriptor file(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        fail(errno, target, true);
    struct stat now {};
    if (fstat(file.get(), &now) != 0)
        fail(errno, target, true);
    if (!S_ISREG(now.st_mode))
        throw FileError(NotRegularFileText(FileNameOf(target), now.st_mode, FileAccess::Write));
    if (now.st_dev != old.st_dev || now.st_ino != old.st_ino)
        fail(EAGAIN, target, true);  // replaced between the check and the opening

    int error = injectedFault(WriteStage::Write);
    if (error == 0 && !bytes.empty()) {
        error = posix_fallocate(file.get(), 0, static_cast<off_t>(bytes.size()));
        if (error == EOPNOTSUPP || error == EINVAL)
            error = 0;  // the file system cannot reserve: write without
    }
    if (error != 0)
        fail(error, target, true);

    error = writeAllAt(file.get(), bytes);
    if (error == 0 && ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0)
        error = errno;
    if (error == 0)
        error = injectedFault(WriteStage::Sync);
    if (error == 0 && fsync(file.get()) != 0)
        error = errno;
    if (error == 0)
        error = file.close();
    if (error != 0) {
        throw FileError(FileErrorText(error, FileAccess::Write) + "\rФайл \"" +
                        loan::Excerpt(FileNameOf(target)) +
                        "\" записан не полностью: проверьте его и сохраните снова.");
    }
}

}  // namespace

void WriteFileSafely(const std::string& path, std::string_view bytes) {
    const std::string target = followLinks(path);
    struct stat old {};
    const bool existed = stat(target.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode))
        throw FileError(NotRegularFileText(FileNameOf(target), old.st_mode, FileAccess::Write));
    RemoveStaleTemporaries(target);
    if (existed && mustKeepInode(old))
        return writeInPlace(target, old, bytes);

    int error = injectedFault(WriteStage::Create);
    std::optional<TemporaryFile> temporary;
    if (error == 0) {
        temporary.emplace(target);
        if (temporary->fd() < 0)
            error = errno;
    }
    if (error != 0) {
        if (existed && folderRefusesNewFiles(error))
            return writeInPlace(target, old, bytes);
        fail(error, target, existed);
    }
    if (existed)
        fchmod(temporary->fd(), old.st_mode & 07777);

    error = injectedFault(WriteStage::Write);
    if (error == 0)
        error = writeAllAt(temporary->fd(), bytes);
    if (error != 0)
        fail(error, target, existed);

    error = injectedFault(WriteStage::Sync);
    if (error == 0 && fsync(temporary->fd()) != 0)
        error = errno;
    if (error == 0)
        error = temporary->close();
    if (error != 0)
        fail(error, target, existed);

    error = injectedFault(WriteStage::Replace);
    if (error == 0 && rename(temporary->path().c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        fail(error, target, existed);
    temporary->markRenamed();
    syncFolder(FolderOf(target));
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
        throw FileError(FileErrorText(error.value(), FileAccess::Write) + "\rПапка \"" +
                        loan::Excerpt(folder) + "\" не создана.");
    }
}

}  // namespace storage
