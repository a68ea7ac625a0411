#include "text/text.h"

#include <algorithm>

namespace loan {

std::string ReplaceAll(const std::string& source, const std::string& oldText,
                       const std::string& newText) {
    std::string result = source;
    if (oldText.empty())
        return result;
    // Searching from where the last replacement ended gives the same result as searching
    // from the start, because the new text never contains the old one.
    std::size_t from = 0;
    for (auto at = result.find(oldText, from); at != std::string::npos;
         at = result.find(oldText, from)) {
        result.replace(at, oldText.size(), newText);
        from = at + newText.size();
    }
    return result;
}

std::string NormalizeDecimalSeparator(const std::string& text, const Locale& locale) {
    // ReplaceAll of one character by the other, without searching from the start each time.
    const char separator = locale.decimalSeparator;
    if (separator != ',' && separator != '.')
        return text;
    std::string result = text;
    std::replace(result.begin(), result.end(), separator == ',' ? '.' : ',', separator);
    return result;
}

}  // namespace loan
