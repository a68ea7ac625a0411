#include "storage/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "text/errors.h"
#include "storage/file_error.h"

namespace storage {

namespace {

[[noreturn]] void refuseOversize(const std::string& path) {
    throw FileError("Файл \"" + loan::Excerpt(path) + "\" не прочитан: он больше " +
                    std::to_string(kMaxReadSize >> 20) +
                    " МБ, а файл платежей так велик не бывает.");
}

// Read straight into the text, sized for what fstat said; one more byte tells a file that
// grew, which the file's own limit then bounds.
std::string readAll(GuardedFile& file, std::size_t expected) {
    std::string bytes(expected + 1, '\0');
    std::size_t size = 0;
    for (;;) {
        if (size == bytes.size())
            bytes.resize(std::min<std::size_t>(bytes.size() * 2, kMaxReadSize + 1));
        const std::size_t count = file.read(bytes.data() + size, bytes.size() - size);
        if (count == 0)
            break;
        size += count;
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace

// O_NONBLOCK: opening a FIFO with no writer returns at once instead of waiting, so that
// fstat can refuse it.
GuardedFile::GuardedFile(std::string path)
    : path_(std::move(path)),
      fd_(open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {}

GuardedFile::~GuardedFile() {
    if (fd_ >= 0)
        close(fd_);
}

std::size_t GuardedFile::checkRegular() const {
    struct stat status {};
    if (fstat(fd_, &status) != 0)
        throw FileError(FileErrorText(errno, FileAccess::Read, path_));
    if (!S_ISREG(status.st_mode))
        throw FileError(NotRegularFileText(path_, status.st_mode, FileAccess::Read));
    if (status.st_size > kMaxReadSize)
        refuseOversize(path_);
    return static_cast<std::size_t>(status.st_size);
}

std::size_t GuardedFile::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t count = ::read(fd_, buffer, capacity);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw FileError(FileErrorText(errno, FileAccess::Read, path_));
        }
        readSoFar_ += count;
        if (readSoFar_ > kMaxReadSize)
            refuseOversize(path_);
        return static_cast<std::size_t>(count);
    }
}

void GuardedFile::rewind() {
    if (lseek(fd_, 0, SEEK_SET) != 0)
        throw FileError(FileErrorText(errno, FileAccess::Read, path_));
    readSoFar_ = 0;
}

std::string ReadFileBytes(const std::string& path) {
    if (auto bytes = TryReadFileBytes(path))
        return std::move(*bytes);
    // Empty only when the opening failed, and its errno is still the last one set.
    throw FileError(FileErrorText(errno, FileAccess::Read, path));
}

std::optional<std::string> TryReadFileBytes(const std::string& path) {
    GuardedFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    const std::size_t expected = file.checkRegular();
    return readAll(file, expected);
}

}  // namespace storage
