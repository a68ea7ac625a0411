#include "storage/safe_file_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>
#include <utility>

#include "text/errors.h"
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

// The reason, then the file and what became of it (`outcome` follows its quoted name).
[[noreturn]] void failWith(int error, const std::string& target, const char* outcome) {
    throw FileError(FileErrorText(error, FileAccess::Write) + "\rФайл \"" +
                    loan::Excerpt(FileNameOf(target)) + "\"" + outcome);
}

[[noreturn]] void fail(int error, const std::string& target, bool existed) {
    failWith(error, target,
             existed ? " не записан; прежнее содержимое файла не изменено." : " не записан.");
}

[[noreturn]] void failIncomplete(int error, const std::string& target) {
    failWith(error, target, " записан не полностью: проверьте его и сохраните снова.");
}

class OwnedFd {
  public:
    explicit OwnedFd(int fd = -1) : fd_(fd) {}
    ~OwnedFd() { reset(); }
    OwnedFd(OwnedFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    OwnedFd& operator=(OwnedFd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    // Closes it; 0 or the errno of a failed close.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

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
    // The chain never ends at a file, so there is no earlier content to speak of.
    fail(ELOOP, path, false);
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

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int writeAllAt(int fd, std::string_view bytes, off_t offset) {
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

// The new bytes: in memory, or `size` bytes of a file (a stream's temporary file).
struct Content {
    std::string_view bytes;
    int fd = -1;
    off_t size = 0;

    off_t length() const { return fd >= 0 ? size : static_cast<off_t>(bytes.size()); }
};

int copyContent(int to, const Content& content) {
    if (content.fd < 0)
        return writeAllAt(to, content.bytes, 0);
    char buffer[64 * 1024];
    for (off_t offset = 0; offset < content.size;) {
        const ssize_t got = pread(content.fd, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : EIO;  // the temporary file lost bytes under us
        if (const int error =
                writeAllAt(to, std::string_view(buffer, static_cast<std::size_t>(got)), offset))
            return error;
        offset += got;
    }
    return 0;
}

void syncFolder(int folder) {
    const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);  // best effort: the rename is already done
        close(fd);
    }
}

// The file a save goes to, as last looked at: links followed, its folder held open so
// that everything else is done by name within it.
struct Target {
    std::string path;  // for the messages
    std::string name;
    OwnedFd folder;
    bool existed = false;
    struct stat old {};
};

// Whoever saves may write the file. The superuser may write any file; he is refused one
// that nobody has permission to write, which he would otherwise replace unasked.
bool writable(const Target& target) {
    if ((target.old.st_mode & 0222) == 0)
        return false;
    return faccessat(target.folder.get(), target.name.c_str(), W_OK, AT_EACCESS) == 0 ||
           errno != EACCES;
}

// Refuses an existing file that may not be replaced: no regular file, or not writable.
void refuseUnreplaceable(const Target& target) {
    if (!S_ISREG(target.old.st_mode))
        throw FileError(
            NotRegularFileText(FileNameOf(target.path), target.old.st_mode, FileAccess::Write));
    if (!writable(target))
        fail(EACCES, target.path, true);
}

// Looks at the name again; refuses what may not be replaced.
void lookAgain(Target& target) {
    target.existed = fstatat(target.folder.get(), target.name.c_str(), &target.old, 0) == 0;
    if (!target.existed && errno != ENOENT)
        fail(errno, target.path, false);
    if (target.existed)
        refuseUnreplaceable(target);
}

Target openTarget(const std::string& path) {
    if (path.empty())
        throw FileError("Имя файла не указано: сохранять некуда.");
    Target target;
    target.path = followLinks(path);
    target.name = FileNameOf(target.path);
    if (target.name.empty() || target.name == "." || target.name == "..") {
        // A folder's own name ("dir/", "dir/.."): there is no file to write.
        struct stat status {};
        if (stat(target.path.c_str(), &status) == 0)
            throw FileError(NotRegularFileText(target.path, status.st_mode, FileAccess::Write));
        fail(EISDIR, target.path, false);
    }
    target.folder = OwnedFd(open(FolderOf(target.path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (target.folder.get() < 0)
        fail(errno, target.path, false);
    lookAgain(target);
    return target;
}

// Locks the old file. Holding the lock, the name must still lead to it (another save may
// have renamed its file over it meanwhile); otherwise nothing is held and the result is
// empty. The target then describes the file locked.
OwnedFd lockOld(Target& target) {
    constexpr auto kPatience = std::chrono::seconds(10);
    constexpr int kFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    OwnedFd file(openat(target.folder.get(), target.name.c_str(), O_RDONLY | kFlags));
    if (file.get() < 0 && errno == EACCES)
        file = OwnedFd(openat(target.folder.get(), target.name.c_str(), O_WRONLY | kFlags));
    if (file.get() < 0) {
        if (errno == ENOENT)
            return OwnedFd();
        fail(errno, target.path, true);
    }
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            break;  // a file system without locks: the save goes on unlocked
        if (std::chrono::steady_clock::now() > deadline)
            fail(EWOULDBLOCK, target.path, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    struct stat locked {
    }, named{};
    if (fstat(file.get(), &locked) != 0)
        fail(errno, target.path, true);
    if (fstatat(target.folder.get(), target.name.c_str(), &named, 0) != 0 ||
        !sameFile(locked, named))
        return OwnedFd();
    target.old = locked;
    refuseUnreplaceable(target);
    return file;
}

// Overwrites the locked file itself: same inode, owner, permissions and links. The space
// is reserved first, so a full disk fails before a byte changes; a failure after that (or
// a kill) can leave the file part old, part new, which the message says.
void overwrite(const Target& target, const Content& content) {
    OwnedFd file(openat(target.folder.get(), target.name.c_str(),
                        O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        fail(errno, target.path, true);
    struct stat now {};
    if (fstat(file.get(), &now) != 0)
        fail(errno, target.path, true);
    if (!sameFile(now, target.old))
        fail(EAGAIN, target.path, true);  // cannot happen while the lock is held

    int error = injectedFault(WriteStage::Write);
    if (error == 0 && content.length() > 0) {
        error = posix_fallocate(file.get(), 0, content.length());
        if (error == EOPNOTSUPP || error == EINVAL)
            error = 0;  // the file system cannot reserve: write without
    }
    if (error != 0)
        fail(error, target.path, true);

    error = copyContent(file.get(), content);
    if (error == 0 && ftruncate(file.get(), content.length()) != 0)
        error = errno;
    if (error == 0)
        error = injectedFault(WriteStage::Sync);
    if (error == 0 && fsync(file.get()) != 0)
        error = errno;
    if (error == 0)
        error = file.close();
    if (error != 0)
        failIncomplete(error, target.path);
}

// Renames `temporary` to the target's name, where no file is now; false when one
// appeared meanwhile.
bool renameToNewName(const Target& target, TemporaryFile& temporary) {
    const int folder = target.folder.get();
    if (temporary.unnamed()) {
        const int error = temporary.linkAs(target.name);
        if (error == EEXIST)
            return false;
        if (error != 0)
            fail(error, target.path, false);
        return true;
    }
    if (renameat2(folder, temporary.name().c_str(), folder, target.name.c_str(),
                  RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS)
        fail(errno, target.path, false);
    // A file system that cannot refuse to replace: an ordinary rename.
    if (renameat(folder, temporary.name().c_str(), folder, target.name.c_str()) != 0)
        fail(errno, target.path, false);
    return true;
}

// The last step: the content goes in place of the file now under the name. With a
// temporary file (holding the content) it is renamed over the old file, unless the old
// file must keep its inode; without one the old file is overwritten in place.
void putInPlace(Target& target, const Content& content, TemporaryFile* temporary) {
    constexpr int kRounds = 100;  // other saves renaming over the name as often
    for (int round = 0; round < kRounds; ++round) {
        if (!target.existed) {
            if (temporary == nullptr)
                fail(EACCES, target.path, false);  // the folder admits no new file
            if (const int error = injectedFault(WriteStage::Replace))
                fail(error, target.path, false);
            if (!renameToNewName(target, *temporary)) {
                lookAgain(target);
                continue;
            }
            temporary->markRenamed();
            syncFolder(target.folder.get());
            return;
        }
        const OwnedFd lock = lockOld(target);
        if (lock.get() < 0) {
            lookAgain(target);
            continue;
        }
        if (temporary == nullptr || mustKeepInode(target.old))
            return overwrite(target, content);
        int error = fchmod(temporary->fd(), target.old.st_mode & 07777) == 0 ? 0 : errno;
        if (error == 0)
            error = injectedFault(WriteStage::Replace);
        if (error == 0)
            error = temporary->giveName();  // a link cannot replace a file: a rename can
        if (error == 0 && renameat(target.folder.get(), temporary->name().c_str(),
                                   target.folder.get(), target.name.c_str()) != 0)
            error = errno;
        if (error != 0)
            fail(error, target.path, true);
        temporary->markRenamed();
        syncFolder(target.folder.get());
        return;
    }
    fail(EAGAIN, target.path, target.existed);
}

// The temporary file beside the target; none when the folder admits none but the old file
// may be written in place. Throws when neither will do.
std::unique_ptr<TemporaryFile> makeTemporary(const Target& target) {
    int error = injectedFault(WriteStage::Create);
    std::unique_ptr<TemporaryFile> temporary;
    if (error == 0) {
        temporary = std::make_unique<TemporaryFile>(target.folder.get(), target.name);
        if (temporary->fd() < 0)
            error = errno;
    }
    if (error == 0)
        return temporary;
    if (target.existed && folderRefusesNewFiles(error))
        return nullptr;
    fail(error, target.path, target.existed);
}

int syncTemporary(const TemporaryFile& temporary) {
    int error = injectedFault(WriteStage::Sync);
    if (error == 0 && fsync(temporary.fd()) != 0)
        error = errno;
    return error;
}

}  // namespace

void WriteFileSafely(const std::string& path, std::string_view bytes) {
    Target target = openTarget(path);
    RemoveStaleTemporaries(target.folder.get(), target.name);
    const Content content{bytes};
    if (target.existed && mustKeepInode(target.old))
        return putInPlace(target, content, nullptr);

    const std::unique_ptr<TemporaryFile> temporary = makeTemporary(target);
    if (!temporary)
        return putInPlace(target, content, nullptr);
    int error = injectedFault(WriteStage::Write);
    if (error == 0)
        error = writeAllAt(temporary->fd(), bytes, 0);
    if (error == 0)
        error = syncTemporary(*temporary);
    if (error != 0)
        fail(error, target.path, target.existed);
    putInPlace(target, content, temporary.get());
}

struct SafeFileStream::State {
    Target target;
    std::unique_ptr<TemporaryFile> temporary;
    OwnedFd spool;  // for a file written in place whose folder admits no temporary file
    off_t written = 0;
    int error = 0;

    int fd() const { return temporary ? temporary->fd() : spool.get(); }
};

SafeFileStream::SafeFileStream(const std::string& path) : state_(std::make_unique<State>()) {
    State& state = *state_;
    state.target = openTarget(path);
    RemoveStaleTemporaries(state.target.folder.get(), state.target.name);
    state.temporary = makeTemporary(state.target);
    if (!state.temporary) {
        state.spool = OwnedFd(OpenSpoolFile());
        if (state.spool.get() < 0)
            fail(errno, state.target.path, true);
    }
}

SafeFileStream::~SafeFileStream() = default;

bool SafeFileStream::Write(std::string_view bytes) {
    State& state = *state_;
    if (state.error == 0)
        state.error = injectedFault(WriteStage::Write);
    if (state.error == 0)
        state.error = writeAllAt(state.fd(), bytes, state.written);
    if (state.error == 0)
        state.written += static_cast<off_t>(bytes.size());
    return state.error == 0;
}

int SafeFileStream::Descriptor() const {
    return state_->fd();
}

void SafeFileStream::Commit() {
    State& state = *state_;
    Target& target = state.target;
    if (state.error != 0)
        fail(state.error, target.path, target.existed);
    struct stat written {};
    if (fstat(state.fd(), &written) != 0)
        fail(errno, target.path, target.existed);
    if (state.temporary) {
        if (const int error = syncTemporary(*state.temporary))
            fail(error, target.path, target.existed);
    }
    const Content content{{}, state.fd(), written.st_size};
    putInPlace(target, content, state.temporary.get());
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
