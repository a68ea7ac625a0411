#include "storage/text_file_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "text/byte_words.h"
#include "storage/cp1251.h"
#include "storage/file_error.h"

namespace storage {

namespace {

constexpr std::size_t kSmallestPiece = 4096;
constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

// The first CR or LF from `from` on, or `to`; eight bytes are looked at a time.
const char* findLineEnd(const char* from, const char* to) {
    for (; to - from >= 8; from += 8) {
        const std::uint64_t word = loan::LoadBytes(from);
        if (loan::HoldsByte(word, '\r') || loan::HoldsByte(word, '\n'))
            break;
    }
    while (from != to && *from != '\r' && *from != '\n') ++from;
    return from;
}

}  // namespace

TextFileLines::TextFileLines(const std::string& path, std::size_t pieceSize) : file_(path) {
    if (!file_.isOpen())
        throw FileError(FileErrorText(errno, FileAccess::Read, path));
    // A small file needs no piece of full size: the buffer grows if the file does.
    const std::size_t size = file_.checkRegular();
    pieceSize = std::max<std::size_t>(pieceSize, 1);
    buffer_.resize(std::clamp(size + 1, std::min(kSmallestPiece, pieceSize), pieceSize));
    utf8_ = wholeFileIsUtf8();
    restart();
}

bool TextFileLines::wholeFileIsUtf8() {
    restart();
    while (const auto line = nextRawLine()) {
        if (!IsValidUtf8(*line))
            return false;
    }
    return true;
}

void TextFileLines::restart() {
    file_.rewind();
    begin_ = end_ = 0;
    atEnd_ = false;
    while (end_ < kUtf8Signature.size() && readMore()) {
    }
    if (std::string_view(buffer_.data(), end_).starts_with(kUtf8Signature))
        begin_ = kUtf8Signature.size();
}

bool TextFileLines::readMore() {
    if (atEnd_)
        return false;
    // The bytes not yet taken move to the front; a line longer than the buffer widens it.
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const std::size_t count = file_.read(buffer_.data() + end_, buffer_.size() - end_);
    end_ += count;
    atEnd_ = count == 0;
    return !atEnd_;
}

std::optional<std::string_view> TextFileLines::nextRawLine() {
    std::size_t searched = begin_;  // bytes before it hold no line end
    for (;;) {
        const char* const data = buffer_.data();
        const char* const lineEnd = findLineEnd(data + searched, data + end_);
        const auto at = static_cast<std::size_t>(lineEnd - data);
        // A CR at the end of what was read may be the first half of CR LF.
        const bool complete = at < end_ && (*lineEnd == '\n' || at + 1 < end_ || atEnd_);
        if (complete) {
            const std::string_view line(data + begin_, at - begin_);
            const bool crLf = *lineEnd == '\r' && at + 1 < end_ && data[at + 1] == '\n';
            begin_ = at + (crLf ? 2 : 1);
            return line;
        }
        if (atEnd_) {  // the last line has no end
            if (begin_ == end_)
                return std::nullopt;
            const std::string_view line(data + begin_, end_ - begin_);
            begin_ = end_;
            return line;
        }
        const std::size_t taken = begin_;
        readMore();
        searched = at - taken;  // the buffer moved by the bytes already taken
    }
}

std::optional<std::string_view> TextFileLines::next() {
    const auto line = nextRawLine();
    if (!line || utf8_)
        return line;
    decoded_.clear();
    AppendCp1251AsUtf8(decoded_, *line);
    return decoded_;
}

}  // namespace storage
