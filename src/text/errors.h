#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace loan {

// A text that should hold a number or a date and does not. The handler that met it is
// abandoned, and the text reaches the user through the general error display.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How much of a text a message quotes at most, in characters.
inline constexpr std::size_t kExcerptLength = 60;

// A text as a message may quote it: at most kExcerptLength characters, then "…" when it
// was longer; control characters, NUL and bytes that are no valid UTF-8 appear as "\xNN",
// so that a message never breaks off, runs over several lines or grows with its input.
std::string Excerpt(std::string_view text);

// The texts of the conversion errors, quoting the text as an excerpt:
// «"abc" не является числом.», «... целым числом.», «... датой.»
std::string NotANumberText(std::string_view text);
std::string NotAWholeNumberText(std::string_view text);
std::string NotADateText(std::string_view text);

}  // namespace loan
