#pragma once

// Text files of lines as payment files and the last-loan file keep them: Windows-1251 with
// CR LF on disk, UTF-8 in the program.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_reader.h"

namespace storage {

// The lines of a text: CR LF, LF or a lone CR end a line; the last line needs no end.
// A line end at the very end of the text starts no further line, so "a\r\n" is one line
// and "a\r\n\r\n" is "a" and an empty line.
std::vector<std::string> SplitLines(std::string_view text);

// File bytes as UTF-8: a UTF-8 signature is dropped; bytes that are well-formed UTF-8 are
// taken as they are; anything else is read as Windows-1251, with or without the signature.
std::string DecodeFileText(std::string_view bytes);

// The file's lines, decoded; FileError when it cannot be opened or read, or is refused as
// ReadFileBytes refuses it.
std::vector<std::string> ReadTextFile(const std::string& path);
// The same, but empty when the file cannot be opened; a refusal or an error while reading
// still throws.
std::optional<std::vector<std::string>> TryReadTextFile(const std::string& path);

// Writes each line followed by CR LF, in Windows-1251, through WriteFileSafely. No lines
// make an empty file.
void WriteTextFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace storage
