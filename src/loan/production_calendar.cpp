#include "loan/production_calendar.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "loan/production_calendar_data.h"

namespace loan {

namespace {

// Monday 0 ... Sunday 6; 1 January 1970 was a Thursday.
int Weekday(std::int64_t serial) {
    const std::int64_t shifted = (serial + 3) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted);
}

int WeekdayOf(const Date& date) { return Weekday(DaySerial(date)); }
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

// The built-in years, one bit per day of the year: set for a non-working day.
class ApprovedYears {
  public:
    explicit ApprovedYears(std::string_view text) {
        std::size_t lineNumber = 0;
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            ++lineNumber;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (line.empty() || line.front() == '#')
                continue;
            readYear(line, lineNumber);
        }
        if (years_.empty())
            throw std::logic_error("production calendar data: no year");
    }

    int first() const { return first_; }
    int last() const { return first_ + static_cast<int>(years_.size()) - 1; }
    bool covers(int year) const { return year >= first() && year <= last(); }
    bool nonWorking(const Date& date) const {
        return years_[static_cast<std::size_t>(date.year - first_)][static_cast<std::size_t>(
            DayOfYear(date))];
    }

  private:
    [[noreturn]] static void fail(std::size_t lineNumber, const std::string& why) {
        throw std::logic_error("production calendar data, line " + std::to_string(lineNumber) +
                               ": " + why);
    }

    static int number(std::string_view digits, std::size_t lineNumber) {
        int value = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9')
                fail(lineNumber, "\"" + std::string(digits) + "\" is no number");
            value = value * 10 + (c - '0');
        }
        return value;
    }

    void readYear(std::string_view line, std::size_t lineNumber) {
        const std::size_t colon = line.find(':');
        if (colon != 4)
            fail(lineNumber, "a year line starts with \"YYYY:\"");
        const int year = number(line.substr(0, 4), lineNumber);
        if (years_.empty())
            first_ = year;
        else if (year != last() + 1)
            fail(lineNumber, "the years must follow each other");

        std::bitset<366> days;
        for (int d = 0; d < DaysInYear(year); ++d) {
            const Date date = DateFromSerial(DaySerial({year, 1, 1}) + d);
            days[static_cast<std::size_t>(d)] = IsWeekend(WeekdayOf(date));
        }
        std::string_view rest = line.substr(colon + 1);
        while (!rest.empty()) {
            if (rest.front() == ' ' || rest.front() == '\t') {
                rest.remove_prefix(1);
                continue;
            }
            const std::size_t end = rest.find_first_of(" \t");
            const std::string_view item = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
            const bool worked = item.front() == '+';
            const std::string_view monthDay = item.substr(worked ? 1 : 0);
            if (monthDay.size() != 5 || monthDay[2] != '-')
                fail(lineNumber, "\"" + std::string(item) + "\" is no [+]MM-DD");
            const Date date{year, number(monthDay.substr(0, 2), lineNumber),
                            number(monthDay.substr(3, 2), lineNumber)};
            if (!IsValidDate(date.year, date.month, date.day))
                fail(lineNumber, "\"" + std::string(item) + "\" is no date");
            // A plain date turns a weekday off, a "+" date a weekend day on; anything else
            // is a slip in the data.
            if (IsWeekend(WeekdayOf(date)) != worked)
                fail(lineNumber, "\"" + std::string(item) +
                                     (worked ? "\" is no weekend day" : "\" is no weekday"));
            days[static_cast<std::size_t>(DayOfYear(date))] = !worked;
        }
        years_.push_back(days);
    }

    int first_ = 0;
    std::vector<std::bitset<366>> years_;
};

const ApprovedYears& BuiltInYears() {
    static const ApprovedYears years(detail::kRussianNonWorkingDaysText);
    return years;
}

}  // namespace

int ProductionCalendar::FirstApprovedYear() { return BuiltInYears().first(); }
int ProductionCalendar::LastApprovedYear() { return BuiltInYears().last(); }
bool ProductionCalendar::Approved(int year) { return BuiltInYears().covers(year); }

std::string ProductionCalendar::NotApprovedText(int year) {
    return "календарь на " + std::to_string(year) +
           " год не утвержден: выходные по Трудовому кодексу";
}

bool ProductionCalendar::IsStandardWorkingDay(const Date& date) {
    const ApprovedYears& years = BuiltInYears();
    return years.covers(date.year) ? !years.nonWorking(date) : !LabourCodeNonWorking(date);
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
