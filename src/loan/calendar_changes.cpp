#include "loan/calendar_changes.h"

#include <map>
#include <string_view>

#include "text/errors.h"

namespace loan {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next word of `rest` (blank-separated), removed from it; empty at the end.
std::string_view NextWord(std::string_view& rest) {
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

}  // namespace

std::vector<CalendarChange> ParseCalendarChanges(const std::vector<std::string>& lines) {
    std::vector<CalendarChange> changes;
    std::map<Date, std::size_t> lineOfDate;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::size_t number = index + 1;
        const auto where = [&] { return "Строка " + std::to_string(number) + ": "; };
        std::string_view rest = lines[index];
        rest = rest.substr(0, rest.find('#'));
        const std::string_view dateText = NextWord(rest);
        if (dateText.empty())
            continue;
        const auto date = TryParseShortDate(dateText);
        if (!date)
            throw ConversionError(where() + NotADateText(dateText));
        const std::string_view word = NextWord(rest);
        if (word.empty()) {
            throw ConversionError(where() + "после даты нужно слово \"" + kWorkingWord +
                                  "\" или \"" + kNonWorkingWord + "\".");
        }
        if (word != kWorkingWord && word != kNonWorkingWord) {
            throw ConversionError(where() + "\"" + Excerpt(word) + "\" — не \"" + kWorkingWord +
                                  "\" и не \"" + kNonWorkingWord + "\".");
        }
        if (const std::string_view extra = NextWord(rest); !extra.empty()) {
            throw ConversionError(where() + "лишний текст \"" + Excerpt(extra) + "\" после \"" +
                                  std::string(word) + "\".");
        }
        if (const auto [at, added] = lineOfDate.emplace(*date, number); !added) {
            throw ConversionError(where() + "дата " + FormatShortDate(*date) +
                                  " уже указана в строке " + std::to_string(at->second) + ".");
        }
        changes.push_back({*date, word == kWorkingWord});
    }
    return changes;
}

std::vector<std::string> FormatCalendarChanges(const std::vector<CalendarChange>& changes) {
    std::vector<std::string> lines;
    lines.reserve(changes.size());
    for (const CalendarChange& change : changes) {
        lines.push_back(FormatShortDate(change.date) + " " +
                        (change.working ? kWorkingWord : kNonWorkingWord));
    }
    return lines;
}

}  // namespace loan
