#pragma once

// The status-bar notice is kept in the program as a text of hexadecimal digit pairs, each
// pair one byte of the UTF-8 text mixed with a running key, so that it does not stand in
// the binary as plain text.

#include <string>
#include <string_view>

namespace app {

// The value of a text of hexadecimal digits (either case). Any other character throws
// loan::ConversionError("No Hex-Number"); an empty text is 0. Digits beyond the eighth
// wrap around, as a 32-bit register would.
int HexToInt(std::string_view text);

// The plain text of an enciphered notice. A trailing single digit is a conversion error.
std::string DecipherNotice(std::string_view stored);

// The inverse of DecipherNotice: how the stored notice is made.
std::string EncipherNotice(std::string_view plain);

// The notice the status bar shows.
std::string StatusNotice();

}  // namespace app
