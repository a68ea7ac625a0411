#pragma once

// A text file's lines read a piece at a time, so that a big payment file never stands in
// memory whole, neither as bytes nor as text.

#include <optional>
#include <string>
#include <string_view>

#include "storage/file_reader.h"

namespace storage {

// The lines SplitLines(DecodeFileText(ReadFileBytes(path))) gives, one by one. The file
// is opened and checked as ReadFileBytes checks it when the reader is made, so a refused
// file throws before any line is read.
class TextFileLines {
  public:
    // The size of the pieces read: a line is taken from the buffer once its end is read.
    static constexpr std::size_t kPieceSize = std::size_t{1} << 20;

    // `pieceSize` is for tests, which cut a short text into many small pieces.
    explicit TextFileLines(const std::string& path, std::size_t pieceSize = kPieceSize);

    // The next line as UTF-8, valid until the next call; none after the last.
    std::optional<std::string_view> next();

  private:
    // The next line's bytes as they stand in the file.
    std::optional<std::string_view> nextRawLine();
    // Reads more bytes behind those not yet taken; false at the end of the file.
    bool readMore();
    // Back to the first line, past a UTF-8 signature.
    void restart();
    // DecodeFileText's choice: the whole text is UTF-8 or is Windows-1251. CR and LF are
    // single bytes in both and never part of a longer UTF-8 sequence, so the text is valid
    // UTF-8 exactly when each of its lines is.
    bool wholeFileIsUtf8();

    GuardedFile file_;
    std::string buffer_;
    std::size_t begin_ = 0;  // the first byte not yet taken
    std::size_t end_ = 0;    // the end of the bytes read
    bool atEnd_ = false;
    bool utf8_ = true;
    std::string decoded_;
};

}  // namespace storage
