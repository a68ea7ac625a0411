#pragma once

// The approved years of the production calendar, read from the text of
// data/calendar/ru-nonworking-days.txt while the program is compiled (src/CMakeLists.txt
// compiles the text in): the programs need no data file, pay nothing to read it at start,
// and a slip in the data fails the build.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace loan::detail {

struct ApprovedYears {
    static constexpr int kMaxYears = 64;

    int first = 0;
    int count = 0;
    // Bit d of a year's words: day d of the year (0-based) is not worked.
    std::array<std::array<std::uint64_t, 6>, kMaxYears> nonWorking{};

    constexpr bool covers(int year) const { return year >= first && year < first + count; }
    constexpr int last() const { return first + count - 1; }
    constexpr bool isNonWorking(int year, int dayOfYear) const {
        const auto& words = nonWorking[static_cast<std::size_t>(year - first)];
        return (words[static_cast<std::size_t>(dayOfYear / 64)] >> (dayOfYear % 64)) & 1U;
    }
};

namespace calendar_text {

constexpr bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int DaysIn(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// 0-based day of the year.
constexpr int DayOfYear(int year, int month, int day) {
    int days = day - 1;
    for (int m = 1; m < month; ++m)
        days += DaysIn(year, m);
    return days;
}

// Monday 0 ... Sunday 6 (Sakamoto's rule).
constexpr int Weekday(int year, int month, int day) {
    constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int y = month < 3 ? year - 1 : year;
    const int sundayFirst = (y + y / 4 - y / 100 + y / 400 + kOffsets[month - 1] + day) % 7;
    return (sundayFirst + 6) % 7;
}

constexpr int Digits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            throw std::logic_error("production calendar data: a digit expected");
        value = value * 10 + (c - '0');
    }
    return value;
}

constexpr void SetDay(ApprovedYears& years, int year, int dayOfYear, bool nonWorking) {
    auto& word = years.nonWorking[static_cast<std::size_t>(year - years.first)]
                                 [static_cast<std::size_t>(dayOfYear / 64)];
    const std::uint64_t bit = std::uint64_t{1} << (dayOfYear % 64);
    word = nonWorking ? word | bit : word & ~bit;
}

// One line "YYYY: MM-DD ... +MM-DD ...": a plain date is a weekday off, a "+" date a weekend
// day worked, every other weekend day is off.
constexpr void ReadYear(ApprovedYears& years, std::string_view line) {
    if (line.size() < 5 || line[4] != ':')
        throw std::logic_error("production calendar data: a line starts with \"YYYY:\"");
    const int year = Digits(line.substr(0, 4));
    if (years.count == 0)
        years.first = year;
    else if (year != years.last() + 1)
        throw std::logic_error("production calendar data: the years must follow each other");
    if (years.count == ApprovedYears::kMaxYears)
        throw std::logic_error("production calendar data: more years than kMaxYears");
    ++years.count;

    const int firstWeekday = Weekday(year, 1, 1);
    for (int d = 0; d < (IsLeap(year) ? 366 : 365); ++d)
        SetDay(years, year, d, (firstWeekday + d) % 7 >= 5);

    std::string_view rest = line.substr(5);
    while (!rest.empty()) {
        if (rest.front() == ' ' || rest.front() == '\t') {
            rest.remove_prefix(1);
            continue;
        }
        std::size_t end = 0;
        while (end < rest.size() && rest[end] != ' ' && rest[end] != '\t')
            ++end;
        std::string_view item = rest.substr(0, end);
        rest.remove_prefix(end);
        const bool worked = item.front() == '+';
        if (worked)
            item.remove_prefix(1);
        if (item.size() != 5 || item[2] != '-')
            throw std::logic_error("production calendar data: a date is [+]MM-DD");
        const int month = Digits(item.substr(0, 2));
        const int day = Digits(item.substr(3, 2));
        if (month < 1 || month > 12 || day < 1 || day > DaysIn(year, month))
            throw std::logic_error("production calendar data: no such date");
        if ((Weekday(year, month, day) >= 5) != worked) {
            throw std::logic_error(worked ? "production calendar data: a + date is a weekday"
                                          : "production calendar data: a plain date is a "
                                            "Saturday or Sunday");
        }
        SetDay(years, year, DayOfYear(year, month, day), !worked);
    }
}

}  // namespace calendar_text

// The years of a text in the data file's format; std::logic_error names the slip.
constexpr ApprovedYears ParseApprovedYears(std::string_view text) {
    ApprovedYears years;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() != '#')
            calendar_text::ReadYear(years, line);
    }
    if (years.count == 0)
        throw std::logic_error("production calendar data: no year");
    return years;
}

// The built-in Russian calendar.
extern const ApprovedYears kRussianApprovedYears;

}  // namespace loan::detail
