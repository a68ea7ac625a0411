#include "loan/plural.h"

#include <charconv>

namespace loan {

const char* PluralForm(long long count, const char* one, const char* few, const char* many) {
    // Only the last two digits decide; taking them before the sign keeps the most
    // negative value away from negation.
    const long long lastTwo = count % 100 < 0 ? -(count % 100) : count % 100;
    const long long last = lastTwo % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return many;
    if (last == 1)
        return one;
    if (last >= 2 && last <= 4)
        return few;
    return many;
}

const char* MonthsWord(long long count) {
    return PluralForm(count, "месяц", "месяца", "месяцев");
}

const char* MonthsWordAfter(const std::string& countText) {
    // Only the last two digits matter, so a count too long for any integer type still
    // gets its word.
    const std::size_t first = countText.find_first_not_of(' ');
    std::size_t end = countText.find_last_not_of(' ');
    if (first == std::string::npos)
        return MonthsWord(0);
    std::size_t digits = first;
    if (countText[digits] == '-' || countText[digits] == '+')
        ++digits;
    ++end;
    if (digits == end)
        return MonthsWord(0);
    for (std::size_t i = digits; i < end; ++i) {
        if (countText[i] < '0' || countText[i] > '9')
            return MonthsWord(0);
    }
    const std::size_t tail = end - digits > 2 ? end - 2 : digits;
    long long lastTwo = 0;
    std::from_chars(countText.data() + tail, countText.data() + end, lastTwo);
    return MonthsWord(lastTwo);
}

}  // namespace loan
