#pragma once

#include <string>

#include "text/locale.h"

namespace loan {

// Source with every occurrence of Old replaced by New, each pass searching from the start.
// An empty Old leaves the text unchanged; New must not contain Old.
std::string ReplaceAll(const std::string& source, const std::string& oldText,
                       const std::string& newText);

// A number text written under either separator, rewritten with the locale's one.
std::string NormalizeDecimalSeparator(const std::string& text, const Locale& locale);

}  // namespace loan
