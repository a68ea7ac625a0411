#pragma once

// The file of the user's changes to the production calendar (loan/calendar_changes.h says
// its lines).

#include <string>
#include <vector>

#include "loan/production_calendar.h"

namespace app {

// The file's changes, read and checked whole. FileError when it cannot be read (the
// messages of ReadTextFile) or a line is no change: «Файл "…" не загружен; ничего не
// изменено.» and, after a "\r", «Строка 3: "31.02.2024" не является датой.»
std::vector<loan::CalendarChange> ReadCalendarChangesFile(const std::string& path);

// Writes the changes, one a line, UTF-8 with LF, through WriteFileSafely: a failed save
// leaves the old file as it was.
void WriteCalendarChangesFile(const std::string& path,
                              const std::vector<loan::CalendarChange>& changes);

}  // namespace app
