#pragma once

// Reading a file without the surprises a name can hold: only a regular file is read, never
// a FIFO that would block, a device that never ends or a folder, and only up to a size no
// payment file comes near.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace storage {

// 64 MiB; a payment file of 10,000 payments is about 0.6 MB.
inline constexpr std::int64_t kMaxReadSize = std::int64_t{64} << 20;

// The whole file's bytes. FileError with a message naming the file when it cannot be opened
// («Файл "…" не найден.», ...), is no regular file or is larger than kMaxReadSize; nothing
// is read then.
std::string ReadFileBytes(const std::string& path);

// The same, but empty when the file cannot be opened; the other refusals still throw.
std::optional<std::string> TryReadFileBytes(const std::string& path);

// A file opened for reading a piece at a time, with the checks ReadFileBytes makes.
class GuardedFile {
  public:
    // Opens the file; isOpen() tells whether that worked, and errno says why not.
    explicit GuardedFile(std::string path);
    ~GuardedFile();
    GuardedFile(const GuardedFile&) = delete;
    GuardedFile& operator=(const GuardedFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // The file's size, once it is known to be a regular file within the limit; FileError
    // otherwise.
    std::size_t checkRegular() const;

    // Up to `capacity` further bytes into `buffer`; 0 at the end. FileError on a read
    // error, and when the bytes read since the opening or the last rewind pass the limit
    // (a file that grows while it is read).
    std::size_t read(char* buffer, std::size_t capacity);
    // Back to the first byte.
    void rewind();

  private:
    std::string path_;
    int fd_;
    std::int64_t readSoFar_ = 0;
};

}  // namespace storage
