#pragma once

// Reading a whole file without the surprises a name can hold: only a regular file is read,
// never a FIFO that would block, a device that never ends or a folder, and only up to a
// size no payment file comes near.

#include <cstdint>
#include <optional>
#include <string>

namespace storage {

// 64 MiB; a payment file of 10,000 payments is about 0.6 MB.
inline constexpr std::int64_t kMaxReadSize = std::int64_t{64} << 20;

// The whole file's bytes. FileError with the run-time text when it cannot be opened
// ("File not found", ...), and with a message naming the file when it is no regular file
// or larger than kMaxReadSize; nothing is read then.
std::string ReadFileBytes(const std::string& path);

// The same, but empty when the file cannot be opened; the other refusals still throw.
std::optional<std::string> TryReadFileBytes(const std::string& path);

}  // namespace storage
