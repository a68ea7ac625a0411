#include <gtest/gtest.h>

#include "loan/production_calendar_data.h"
#include "support/error_text.h"

namespace {

using loan::detail::ParseApprovedYears;

std::string slip(std::string_view text) {
    return testing_support::ErrorText<std::logic_error>([&] { ParseApprovedYears(text); });
}

// The built-in data is read while compiling, where any of these fails the build.
TEST(ProductionCalendarData, ReadsWeekdaysOffAndWorkedWeekendsOfConsecutiveYears) {
    constexpr auto years = ParseApprovedYears("# comment\r\n\n2024: 05-09 +04-27\n2025:\n");
    static_assert(years.first == 2024 && years.count == 2);
    EXPECT_TRUE(years.isNonWorking(2024, 129));   // 9 May, a Thursday
    EXPECT_FALSE(years.isNonWorking(2024, 117));  // 27 April, a Saturday worked
    EXPECT_TRUE(years.isNonWorking(2024, 118));   // 28 April, a Sunday
    EXPECT_FALSE(years.isNonWorking(2025, 128));  // 9 May 2025 is only a weekday here
    EXPECT_TRUE(years.isNonWorking(2024, 363));   // 29 December, a Sunday of a leap year
    EXPECT_FALSE(years.isNonWorking(2024, 365));  // 31 December, a Tuesday
}

TEST(ProductionCalendarData, RefusesSlips) {
    EXPECT_EQ(slip("2024: 04-27"),
              "production calendar data: a plain date is a Saturday or Sunday");
    EXPECT_EQ(slip("2024: +05-09"), "production calendar data: a + date is a weekday");
    EXPECT_EQ(slip("2024: 02-30"), "production calendar data: no such date");
    EXPECT_EQ(slip("2024: 5-9"), "production calendar data: a date is [+]MM-DD");
    EXPECT_EQ(slip("2024: 05-09\n2026: 01-09"),
              "production calendar data: the years must follow each other");
    EXPECT_EQ(slip("24: 05-09"), "production calendar data: a line starts with \"YYYY:\"");
    EXPECT_EQ(slip("# only a comment\n"), "production calendar data: no year");
}

}  // namespace
