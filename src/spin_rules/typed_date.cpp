#include "spin_rules/typed_date.h"

#include <array>

namespace widgets {

namespace {

constexpr std::size_t kLongestDate = 10;  // "ДД.ММ.ГГГГ"

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int number(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The day, month and year written in the text, whether or not such a date exists; nothing
// when the text has neither form.
std::optional<std::array<int, 3>> dateParts(std::string_view text) {
    if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos)
        return std::array{number(text.substr(0, 2)), number(text.substr(2, 2)),
                          number(text.substr(4))};
    std::array<std::string_view, 3> parts;
    std::size_t index = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && isDigit(text[i]))
            continue;
        if (i < text.size() && text[i] != '.')
            return std::nullopt;
        if (index == parts.size())
            return std::nullopt;
        parts[index++] = text.substr(start, i - start);
        start = i + 1;
    }
    if (index != parts.size())
        return std::nullopt;
    const auto sized = [](std::string_view part, std::size_t least, std::size_t most) {
        return part.size() >= least && part.size() <= most;
    };
    if (!sized(parts[0], 1, 2) || !sized(parts[1], 1, 2) || !sized(parts[2], 4, 4))
        return std::nullopt;
    return std::array{number(parts[0]), number(parts[1]), number(parts[2])};
}

}  // namespace

bool MayBeTypedDate(std::string_view text) {
    if (text.size() > kLongestDate)
        return false;
    for (char c : text) {
        if (!isDigit(c) && c != '.' && c != ',')
            return false;
    }
    return true;
}

std::string EnteredDateText(std::string_view text) {
    std::string entered(text);
    for (char& c : entered) {
        if (c == ',')
            c = '.';
    }
    return entered;
}

TypedDate ReadTypedDate(std::string_view text, const loan::Date& earliest,
                        const loan::Date& latest) {
    const std::string_view typed = trimmed(text);
    const auto parts = dateParts(typed);
    if (!parts)
        return {std::nullopt, quoted(typed) +
                                  " — это не дата. Наберите дату целиком: ДД.ММ.ГГГГ или "
                                  "ДДММГГГГ."};
    const auto [day, month, year] = *parts;
    if (!loan::IsValidDate(year, month, day))
        return {std::nullopt, quoted(typed) + " — такой даты нет."};
    const loan::Date date{year, month, day};
    if (date < earliest)
        return {std::nullopt,
                quoted(typed) + " — дата раньше " + loan::FormatShortDate(earliest) + "."};
    if (date > latest)
        return {std::nullopt,
                quoted(typed) + " — дата позже " + loan::FormatShortDate(latest) + "."};
    return {date, {}};
}

}  // namespace widgets
