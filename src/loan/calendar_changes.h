#pragma once

// The user's changes to the production calendar as a text: one date a line,
//   DD.MM.YYYY рабочий      the date is worked
//   DD.MM.YYYY нерабочий    the date is not worked
// A "#" starts a comment (a whole line or the rest of one); blank lines are ignored.

#include <string>
#include <vector>

#include "loan/production_calendar.h"

namespace loan {

inline constexpr const char* kWorkingWord = "рабочий";
inline constexpr const char* kNonWorkingWord = "нерабочий";

// The changes in the order of the lines. A line that is none throws ConversionError naming
// it («Строка 3: "31.02.2024" не является датой.»), as does a date given twice.
std::vector<CalendarChange> ParseCalendarChanges(const std::vector<std::string>& lines);

// The lines that ParseCalendarChanges reads back as the same changes.
std::vector<std::string> FormatCalendarChanges(const std::vector<CalendarChange>& changes);

}  // namespace loan
