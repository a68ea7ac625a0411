#include "storage/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "loan/errors.h"
#include "storage/file_error.h"

namespace storage {

namespace {

[[noreturn]] void refuseOversize(const std::string& path) {
    throw FileError("Файл \"" + loan::Excerpt(path) + "\" не прочитан: он больше " +
                    std::to_string(kMaxReadSize >> 20) +
                    " МБ, а файл платежей так велик не бывает.");
}

class ReadOnlyFile {
  public:
    // O_NONBLOCK: opening a FIFO with no writer returns at once instead of waiting, so that
    // fstat can refuse it.
    explicit ReadOnlyFile(const std::string& path)
        : fd_(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {}
    ~ReadOnlyFile() {
        if (fd_ >= 0)
            close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // The file's size, once it is known to be a regular file within the limit.
    std::size_t checkRegular(const std::string& path) const {
        struct stat status {};
        if (fstat(fd_, &status) != 0)
            throw FileError(FileErrorText(errno, FileAccess::Read));
        if (!S_ISREG(status.st_mode))
            throw FileError(NotRegularFileText(path, status.st_mode, FileAccess::Read));
        if (status.st_size > kMaxReadSize)
            refuseOversize(path);
        return static_cast<std::size_t>(status.st_size);
    }

    // Read straight into the text, sized for what fstat said; a file that grows past the
    // limit while it is read is refused as well.
    std::string readAll(const std::string& path, std::size_t expected) const {
        std::string bytes(expected + 1, '\0');  // one more byte tells a file that grew
        std::size_t size = 0;
        for (;;) {
            if (size == bytes.size())
                bytes.resize(std::min<std::size_t>(bytes.size() * 2, kMaxReadSize + 1));
            const ssize_t count = read(fd_, bytes.data() + size, bytes.size() - size);
            if (count == 0)
                break;
            if (count < 0) {
                if (errno == EINTR)
                    continue;
                throw FileError(FileErrorText(errno, FileAccess::Read));
            }
            size += static_cast<std::size_t>(count);
            if (static_cast<std::int64_t>(size) > kMaxReadSize)
                refuseOversize(path);
        }
        bytes.resize(size);
        return bytes;
    }

  private:
    int fd_;
};

}  // namespace

std::string ReadFileBytes(const std::string& path) {
    if (auto bytes = TryReadFileBytes(path))
        return std::move(*bytes);
    // Empty only when the opening failed, and its errno is still the last one set.
    throw FileError(FileErrorText(errno, FileAccess::Read));
}

std::optional<std::string> TryReadFileBytes(const std::string& path) {
    const ReadOnlyFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    const std::size_t expected = file.checkRegular(path);
    return file.readAll(path, expected);
}

}  // namespace storage
