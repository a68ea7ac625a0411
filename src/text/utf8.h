#pragma once

// Reading UTF-8, the program's own text encoding, one character at a time.

#include <cstddef>
#include <string_view>

namespace loan {

// The length of the well-formed UTF-8 sequence at `at` (1 to 4), with its code point in
// `c`; 0 when the bytes there are malformed (overlong forms, surrogates, values beyond
// U+10FFFF, a cut-off sequence).
std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t at, char32_t& c);

}  // namespace loan
