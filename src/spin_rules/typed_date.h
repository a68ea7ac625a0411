#pragma once

// The rule of a date field for a date typed whole, kept apart from any window toolkit: which
// text may stand in the field while it is typed, and what the finished text means. Only a
// finished date counts; one that does not exist is refused, never turned into another.

#include <optional>
#include <string>
#include <string_view>

#include "loan/date.h"

namespace widgets {

// Digits and dots, at most as long as "ДД.ММ.ГГГГ": what a date field may hold while a date
// is typed into it. A comma counts as a dot (the numeric keypad gives one under Russian
// layouts); `Entered` makes the dot of it.
bool MayBeTypedDate(std::string_view text);
std::string EnteredDateText(std::string_view text);

struct TypedDate {
    std::optional<loan::Date> date;  // empty when refused
    std::string refusal;             // the Russian message of a refusal
};

// Reads a finished text: "ДД.ММ.ГГГГ" (one or two digits for the day and the month, the
// year in four) or eight digits "ДДММГГГГ", within earliest..latest.
TypedDate ReadTypedDate(std::string_view text, const loan::Date& earliest,
                        const loan::Date& latest);

}  // namespace widgets
