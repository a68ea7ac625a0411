#include "loan/text.h"

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
    if (locale.decimalSeparator == ',')
        return ReplaceAll(text, ".", ",");
    if (locale.decimalSeparator == '.')
        return ReplaceAll(text, ",", ".");
    return text;
}

}  // namespace loan
