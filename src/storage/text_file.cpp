#include "storage/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "storage/cp1251.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"

namespace storage {

namespace {

constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::string& path)
        : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadOnlyFile() {
        if (fd_ >= 0)
            close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    std::string readAll() const {
        std::string bytes;
        char buffer[65536];
        for (;;) {
            const ssize_t count = read(fd_, buffer, sizeof buffer);
            if (count == 0)
                return bytes;
            if (count < 0) {
                if (errno == EINTR)
                    continue;
                throw FileError(FileErrorText(errno, FileAccess::Read));
            }
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
    }

  private:
    int fd_;
};

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n')
            continue;
        lines.emplace_back(text.substr(start, at - start));
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string DecodeFileText(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Signature.size()) == kUtf8Signature)
        return std::string(bytes.substr(kUtf8Signature.size()));
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return Cp1251ToUtf8(bytes);
}

std::string ReadFileBytes(const std::string& path) {
    const ReadOnlyFile file(path);
    if (!file.isOpen())
        throw FileError(FileErrorText(errno, FileAccess::Read));
    return file.readAll();
}

std::vector<std::string> ReadTextFile(const std::string& path) {
    return SplitLines(DecodeFileText(ReadFileBytes(path)));
}

std::optional<std::vector<std::string>> TryReadTextFile(const std::string& path) {
    const ReadOnlyFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    return SplitLines(DecodeFileText(file.readAll()));
}

void WriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    WriteFileSafely(path, Utf8ToCp1251(text));
}

}  // namespace storage
