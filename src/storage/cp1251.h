#pragma once

// Windows-1251, the single-byte code page payment files are kept in, and UTF-8, the
// program's own text.

#include <string>
#include <string_view>

namespace storage {

// Every byte has a character (0x98, unassigned, maps to U+0098 so that it round-trips).
std::string Cp1251ToUtf8(std::string_view bytes);
// The same, added to the end of `text`: a caller decoding many pieces reuses one string.
void AppendCp1251AsUtf8(std::string& text, std::string_view bytes);

// A character the code page lacks, and a byte that is no valid UTF-8, become "?".
std::string Utf8ToCp1251(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values
// beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace storage
