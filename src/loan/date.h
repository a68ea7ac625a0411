#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/locale.h"

namespace loan {

// A calendar date: no time of day, no time zone.
struct Date {
    int year = 1900;
    int month = 1;
    int day = 1;

    auto operator<=>(const Date&) const = default;
};

bool IsLeapYear(int year);
int DaysInYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Days since 1 January 1970 (negative before it); differences give whole days.
std::int64_t DaySerial(const Date& date);
Date DateFromSerial(std::int64_t serial);
inline std::int64_t DaysBetween(const Date& a, const Date& b) {
    const std::int64_t d = DaySerial(a) - DaySerial(b);
    return d < 0 ? -d : d;
}

// The same day `months` calendar months later; a day past the end of the month is clipped.
Date IncMonth(const Date& date, int months = 1);

// Short date format "dd.mm.yyyy".
std::string FormatShortDate(const Date& date);
// "mmmm yyyy": the full month name, a blank, the four-digit year.
std::string FormatMonthYear(const Date& date, const Locale& locale);

// Reads day.month.year (one or two digits for day and month, a two-digit year counts
// in 1950..2049); empty when the text is no valid date.
std::optional<Date> TryParseShortDate(std::string_view text);
// The same, throwing ConversionError («"x" не является датой.»).
Date ParseShortDate(std::string_view text);

// True when both dates lie in the same month of the same year. `monthDistance` gets the
// month difference, where a change of year adds 12 once however many years lie between.
bool SameMonth(const Date& later, const Date& earlier, double& monthDistance);

}  // namespace loan
