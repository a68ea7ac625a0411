#include "loan/date.h"

#include <charconv>
#include <cstdio>

#include "text/errors.h"

namespace loan {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInYear(int year) {
    return IsLeapYear(year) ? 366 : 365;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

// Howard Hinnant's days-from-civil algorithm.
std::int64_t DaySerial(const Date& date) {
    const std::int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t m = date.month;
    const std::int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date DateFromSerial(std::int64_t serial) {
    serial += 719468;
    const std::int64_t era = (serial >= 0 ? serial : serial - 146096) / 146097;
    const std::int64_t dayOfEra = serial - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

Date IncMonth(const Date& date, int months) {
    const int index = date.year * 12 + (date.month - 1) + months;
    Date result{index / 12, index % 12 + 1, date.day};
    const int last = DaysInMonth(result.year, result.month);
    if (result.day > last)
        result.day = last;
    return result;
}

std::string FormatShortDate(const Date& date) {
    if (date.year < 0 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > 31) {
        char buffer[48];
        std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", date.day, date.month, date.year);
        return buffer;
    }
    // Every date a loan meets: its ten characters written directly, as a table of many
    // rows writes one per row.
    std::string text(10, '.');
    const auto twoDigits = [&](std::size_t at, int value) {
        text[at] = static_cast<char>('0' + value / 10);
        text[at + 1] = static_cast<char>('0' + value % 10);
    };
    twoDigits(0, date.day);
    twoDigits(3, date.month);
    twoDigits(6, date.year / 100);
    twoDigits(8, date.year % 100);
    return text;
}

std::string FormatMonthYear(const Date& date, const Locale& locale) {
    return locale.monthNames[static_cast<std::size_t>(date.month - 1)] + " " +
           std::to_string(date.year);
}

std::optional<Date> TryParseShortDate(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int index = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits[index] > 4)
                return std::nullopt;
            parts[index] = parts[index] * 10 + (c - '0');
        } else if (c == '.' && index < 2 && digits[index] > 0) {
            ++index;
        } else {
            return std::nullopt;
        }
    }
    if (index != 2 || digits[2] == 0 || digits[0] > 2 || digits[1] > 2)
        return std::nullopt;
    int year = parts[2];
    if (digits[2] <= 2)
        year += year < 50 ? 2000 : 1900;
    if (!IsValidDate(year, parts[1], parts[0]))
        return std::nullopt;
    return Date{year, parts[1], parts[0]};
}

Date ParseShortDate(std::string_view text) {
    if (auto date = TryParseShortDate(text))
        return *date;
    throw ConversionError(NotADateText(text));
}

bool SameMonth(const Date& later, const Date& earlier, double& monthDistance) {
    const bool same = later.month == earlier.month && later.year == earlier.year;
    const double yearDifference = later.year - earlier.year;
    monthDistance =
        yearDifference > 0 ? later.month + 12 - earlier.month : later.month - earlier.month;
    return same;
}

}  // namespace loan
