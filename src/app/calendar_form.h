#pragma once

// "Производственный календарь": the user's changes to the production calendar, one year at a
// time, without any window toolkit. The form starts from the user's file
// (storage::UserCalendarFilePath), lets days be turned working or non-working and writes
// the file back; the window draws the year as twelve month tables.

#include <string>
#include <vector>

#include "app/form_port.h"
#include "loan/date.h"
#include "loan/production_calendar.h"

namespace app {

inline constexpr const char* kCalendarCaption = "Производственный календарь";

class CalendarForm {
  public:
    // The years the form shows: those a date field takes.
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 9999;

    // Messages go through `port`; the year shown first is that of the port's today.
    explicit CalendarForm(FormPort& port);
    CalendarForm(const CalendarForm&) = delete;
    CalendarForm& operator=(const CalendarForm&) = delete;

    // Reads the user's file, when there is one. A file that cannot be read or has a bad line
    // is shown and nothing is taken from it: false then, and the form must not be saved over
    // it (the lines of the file would be lost).
    bool Load();
    // Writes the changes into the user's file (its folder made when missing). A failure is
    // shown; the form keeps its changes, the old file stays as it was, and false is returned.
    bool Save();
    // True when the changes differ from those read or saved last.
    bool Modified() const { return calendar_.Changes() != saved_; }

    int Year() const { return year_; }
    // Clipped to kFirstYear..kLastYear.
    void SetYear(int year);

    bool IsWorkingDay(const loan::Date& date) const { return calendar_.IsWorkingDay(date); }
    // True when the user's change makes the day other than the calendar has it.
    bool IsChanged(const loan::Date& date) const;
    // A working day becomes non-working and the other way round. A day turned back to what
    // the calendar has is no change any more.
    void Toggle(const loan::Date& date);
    // Takes back every change of the year shown.
    void ResetYear();
    bool YearHasChanges() const;
    const std::vector<loan::CalendarChange>& Changes() const { return calendar_.Changes(); }
    const loan::ProductionCalendar& Calendar() const { return calendar_; }

    // "Календарь на 2024 год утвержден." or that it follows the Labour Code.
    std::string StatusText() const;
    // "Рабочих дней в 2024 году: 248" (with the user's changes).
    std::string WorkingDaysText() const;
    // What a screen reader says of a day: "1 января 2024, нерабочий день, изменен вами".
    std::string DayDescription(const loan::Date& date) const;

    // The month's column of its first day in a table that starts with Monday (0..6).
    static int FirstColumn(int year, int month);
    // "Пн" .. "Вс" for the columns 0..6.
    static const char* WeekdayShortName(int column);
    // "Январь" .. "Декабрь".
    static std::string MonthName(int month);

  private:
    FormPort& port_;
    loan::ProductionCalendar calendar_;
    std::vector<loan::CalendarChange> saved_;
    int year_;
};

}  // namespace app
