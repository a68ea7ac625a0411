#pragma once

// The Russian production calendar: which days are worked. Banks move a payment that falls
// on a non-working day, so the planner asks this calendar.
//
// The years of the built-in data (data/calendar/ru-nonworking-days.txt, compiled in) are
// the approved calendars: weekends, public holidays, the days off moved by the Government's
// decrees and the worked Saturdays. Any other year follows the Labour Code (art. 112):
// Saturdays, Sundays, 1-8 January, 23 February, 8 March, 1 and 9 May, 12 June, 4 November,
// and a holiday on a weekend gives the next working day off (January's do not).
//
// Over that the user may mark single dates working or non-working; the marks win.
// A lookup is a few arithmetic steps and one bit, so a plan of hundreds of months can ask
// for every date.

#include <string>
#include <vector>

#include "loan/date.h"

namespace loan {

// A user's mark on one date.
struct CalendarChange {
    Date date;
    bool working = false;

    bool operator==(const CalendarChange&) const = default;
};

class ProductionCalendar {
  public:
    // The built-in calendar with no marks of the user's.
    ProductionCalendar() = default;

    // The years the built-in data covers; others follow the Labour Code.
    static int FirstApprovedYear();
    static int LastApprovedYear();
    // True when the year's calendar is in the built-in data (it was approved); false when
    // its days off are those of the Labour Code alone.
    static bool Approved(int year);
    // "календарь на YYYY год не утвержден: выходные по Трудовому кодексу"
    static std::string NotApprovedText(int year);

    // Every lookup takes a valid date (IsValidDate).
    // The day as the built-in data or the Labour Code has it, without the user's marks.
    static bool IsStandardWorkingDay(const Date& date);

    bool IsWorkingDay(const Date& date) const;
    // The date itself when it is worked, otherwise the nearest working day after / before it.
    Date WorkingDayOnOrAfter(const Date& date) const;
    Date WorkingDayOnOrBefore(const Date& date) const;
    // How many days of the year are worked (with the user's marks).
    int WorkingDaysIn(int year) const;

    // Marks a date working or non-working; a later mark of the same date replaces it.
    void Mark(const Date& date, bool working);
    // Takes back the mark of a date, if there is one.
    void Unmark(const Date& date);
    // Replaces all marks (a later entry for the same date wins).
    void SetChanges(const std::vector<CalendarChange>& changes);
    // The marks, in date order, one per date.
    const std::vector<CalendarChange>& Changes() const { return changes_; }

  private:
    const CalendarChange* FindChange(const Date& date) const;

    std::vector<CalendarChange> changes_;  // sorted by date, one per date
};

}  // namespace loan
