#include "loan/production_calendar.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "loan/production_calendar_data.h"

namespace loan {

namespace {

// Monday 0 ... Sunday 6; 1 January 1970 was a Thursday.
int Weekday(std::int64_t serial) {
    const std::int64_t shifted = (serial + 3) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted);
}

bool IsWeekend(int weekday) { return weekday >= 5; }

int DayOfYear(const Date& date) {  // 0-based
    static constexpr std::array<int, 13> kDaysBefore = {0,   0,   31,  59,  90,  120, 151,
                                                        181, 212, 243, 273, 304, 334};
    const int leapDay = date.month > 2 && IsLeapYear(date.year) ? 1 : 0;
    return kDaysBefore[static_cast<std::size_t>(date.month)] + leapDay + date.day - 1;
}

// The public holidays of art. 112 of the Labour Code.
bool IsLabourCodeHoliday(int month, int day) {
    switch (month) {
        case 1: return day <= 8;
        case 2: return day == 23;
        case 3: return day == 8;
        case 5: return day == 1 || day == 9;
        case 6: return day == 12;
        case 11: return day == 4;
        default: return false;
    }
}

// A holiday whose day off moves to the next working day when it falls on a weekend.
bool HolidayMovesOffWeekend(const Date& date) {
    return date.month != 1 && IsLabourCodeHoliday(date.month, date.day);
}

bool LabourCodeNonWorking(const Date& date) {
    const std::int64_t serial = DaySerial(date);
    const int weekday = Weekday(serial);
    if (IsWeekend(weekday) || IsLabourCodeHoliday(date.month, date.day))
        return true;
    // The moved days off land on the Monday: no two of the moving holidays lie within two
    // days of each other, so a Saturday's and a Sunday's never meet.
    return weekday == 0 && (HolidayMovesOffWeekend(DateFromSerial(serial - 1)) ||
                            HolidayMovesOffWeekend(DateFromSerial(serial - 2)));
}

}  // namespace

using detail::kRussianApprovedYears;

int ProductionCalendar::FirstApprovedYear() { return kRussianApprovedYears.first; }
int ProductionCalendar::LastApprovedYear() { return kRussianApprovedYears.last(); }
bool ProductionCalendar::Approved(int year) { return kRussianApprovedYears.covers(year); }

std::string ProductionCalendar::NotApprovedText(int year) {
    return "календарь на " + std::to_string(year) +
           " год не утвержден: выходные по Трудовому кодексу";
}

bool ProductionCalendar::IsStandardWorkingDay(const Date& date) {
    return kRussianApprovedYears.covers(date.year)
               ? !kRussianApprovedYears.isNonWorking(date.year, DayOfYear(date))
               : !LabourCodeNonWorking(date);
}

const CalendarChange* ProductionCalendar::FindChange(const Date& date) const {
    if (changes_.empty())
        return nullptr;
    const auto found = std::lower_bound(
        changes_.begin(), changes_.end(), date,
        [](const CalendarChange& change, const Date& d) { return change.date < d; });
    return found != changes_.end() && found->date == date ? &*found : nullptr;
}

bool ProductionCalendar::IsWorkingDay(const Date& date) const {
    if (const CalendarChange* change = FindChange(date))
        return change->working;
    return IsStandardWorkingDay(date);
}

Date ProductionCalendar::WorkingDayOnOrAfter(const Date& date) const {
    // Every week outside the user's marks has working days, and the marks are finite.
    std::int64_t serial = DaySerial(date);
    Date day = date;
    while (!IsWorkingDay(day))
        day = DateFromSerial(++serial);
    return day;
}

Date ProductionCalendar::WorkingDayOnOrBefore(const Date& date) const {
    std::int64_t serial = DaySerial(date);
    Date day = date;
    while (!IsWorkingDay(day))
        day = DateFromSerial(--serial);
    return day;
}

int ProductionCalendar::WorkingDaysIn(int year) const {
    const std::int64_t first = DaySerial({year, 1, 1});
    int count = 0;
    for (int d = 0; d < DaysInYear(year); ++d)
        count += IsWorkingDay(DateFromSerial(first + d)) ? 1 : 0;
    return count;
}

void ProductionCalendar::Mark(const Date& date, bool working) {
    const auto at = std::lower_bound(
        changes_.begin(), changes_.end(), date,
        [](const CalendarChange& change, const Date& d) { return change.date < d; });
    if (at != changes_.end() && at->date == date)
        at->working = working;
    else
        changes_.insert(at, CalendarChange{date, working});
}

void ProductionCalendar::Unmark(const Date& date) {
    std::erase_if(changes_, [&](const CalendarChange& change) { return change.date == date; });
}

void ProductionCalendar::SetChanges(const std::vector<CalendarChange>& changes) {
    // Sorted once rather than inserted one by one: a long file stays linear-logarithmic.
    changes_ = changes;
    const auto byDate = [](const CalendarChange& a, const CalendarChange& b) {
        return a.date < b.date;
    };
    std::stable_sort(changes_.begin(), changes_.end(), byDate);
    // Of the entries for one date the last one given stays.
    std::vector<CalendarChange> unique;
    unique.reserve(changes_.size());
    for (const CalendarChange& change : changes_) {
        if (!unique.empty() && unique.back().date == change.date)
            unique.back() = change;
        else
            unique.push_back(change);
    }
    changes_ = std::move(unique);
}

}  // namespace loan
