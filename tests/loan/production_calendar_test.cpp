#include <gtest/gtest.h>

#include <map>

#include "loan/production_calendar.h"

namespace {

using loan::Date;
using loan::ProductionCalendar;

// The working days of each year's official production calendar for the 40-hour week
// (the yearly calendars published with the Government's decrees on moving days off).
const std::map<int, int> kOfficialWorkingDays = {
    {2000, 250}, {2001, 251}, {2002, 250}, {2003, 250}, {2004, 251}, {2005, 248},
    {2006, 248}, {2007, 249}, {2008, 250}, {2009, 249}, {2010, 249}, {2011, 248},
    {2012, 249}, {2013, 247}, {2014, 247}, {2015, 247}, {2016, 247}, {2017, 247},
    {2018, 247}, {2019, 247}, {2020, 248}, {2021, 247}, {2022, 247}, {2023, 247},
    {2024, 248}, {2025, 247}, {2026, 247},
};

TEST(ProductionCalendar, EveryApprovedYearHasTheOfficialCountOfWorkingDays) {
    const ProductionCalendar calendar;
    EXPECT_EQ(ProductionCalendar::FirstApprovedYear(), 2000);
    EXPECT_EQ(ProductionCalendar::LastApprovedYear(), 2026);
    for (const auto& [year, official] : kOfficialWorkingDays) {
        // 24 June and 1 July 2020 were made days off by the President's decrees after the
        // year's calendar was published; its count does not take them off.
        const int expected = year == 2020 ? official - 2 : official;
        EXPECT_EQ(calendar.WorkingDaysIn(year), expected) << year;
    }
}

TEST(ProductionCalendar, TheSpecialDaysOffOf2020AreNotWorked) {
    const ProductionCalendar calendar;
    EXPECT_FALSE(calendar.IsWorkingDay({2020, 6, 24}));  // the parade
    EXPECT_FALSE(calendar.IsWorkingDay({2020, 7, 1}));   // the vote on the Constitution
    EXPECT_TRUE(calendar.IsWorkingDay({2020, 6, 23}));
    EXPECT_TRUE(calendar.IsWorkingDay({2020, 6, 25}));
    EXPECT_TRUE(calendar.IsWorkingDay({2020, 7, 2}));
}

// Moved days off and worked weekend days of several decrees, each a kind of its own.
TEST(ProductionCalendar, MovedDaysOffAndWorkedWeekendsFollowTheDecrees) {
    const ProductionCalendar calendar;
    // 2024: a six-day week before the May and the New Year holidays.
    EXPECT_TRUE(calendar.IsWorkingDay({2024, 4, 27}));  // Saturday
    EXPECT_FALSE(calendar.IsWorkingDay({2024, 4, 29}));
    EXPECT_FALSE(calendar.IsWorkingDay({2024, 4, 30}));
    EXPECT_TRUE(calendar.IsWorkingDay({2024, 11, 2}));   // Saturday
    EXPECT_TRUE(calendar.IsWorkingDay({2024, 12, 28}));  // Saturday
    EXPECT_FALSE(calendar.IsWorkingDay({2024, 12, 30}));
    EXPECT_FALSE(calendar.IsWorkingDay({2024, 12, 31}));
    // 2022: New Year's Saturday and Sunday moved to 3 and 10 May; 5 March worked for 7 March.
    EXPECT_FALSE(calendar.IsWorkingDay({2022, 5, 3}));
    EXPECT_FALSE(calendar.IsWorkingDay({2022, 5, 10}));
    EXPECT_TRUE(calendar.IsWorkingDay({2022, 3, 5}));
    EXPECT_FALSE(calendar.IsWorkingDay({2022, 3, 7}));
    // 2013: 23 February on a Saturday moved to 10 May, not to the Monday after it.
    EXPECT_TRUE(calendar.IsWorkingDay({2013, 2, 25}));
    EXPECT_FALSE(calendar.IsWorkingDay({2013, 5, 10}));
    // 2009: a worked Sunday; 2003: the worked weekend of 4 and 5 January.
    EXPECT_TRUE(calendar.IsWorkingDay({2009, 1, 11}));
    EXPECT_TRUE(calendar.IsWorkingDay({2003, 1, 4}));
    EXPECT_TRUE(calendar.IsWorkingDay({2003, 1, 5}));
    // Before 2005 the holidays were 7 November and 12 December; since then 4 November.
    EXPECT_FALSE(calendar.IsWorkingDay({2003, 11, 7}));
    EXPECT_FALSE(calendar.IsWorkingDay({2003, 12, 12}));
    EXPECT_TRUE(calendar.IsWorkingDay({2005, 11, 7}));
    EXPECT_FALSE(calendar.IsWorkingDay({2005, 11, 4}));
}

TEST(ProductionCalendar, OnlyTheYearsOfTheDataAreApproved) {
    EXPECT_TRUE(ProductionCalendar::Approved(2000));
    EXPECT_TRUE(ProductionCalendar::Approved(2026));
    EXPECT_FALSE(ProductionCalendar::Approved(1999));
    EXPECT_FALSE(ProductionCalendar::Approved(2027));
    EXPECT_EQ(ProductionCalendar::NotApprovedText(2027),
              "календарь на 2027 год не утвержден: выходные по Трудовому кодексу");
}

TEST(ProductionCalendar, YearsBeyondTheDataFollowTheLabourCode) {
    const ProductionCalendar calendar;
    // 2027: 1 May and 12 June fall on Saturdays, 9 May on a Sunday: the Mondays are off.
    EXPECT_FALSE(calendar.IsWorkingDay({2027, 5, 3}));
    EXPECT_FALSE(calendar.IsWorkingDay({2027, 5, 10}));
    EXPECT_FALSE(calendar.IsWorkingDay({2027, 6, 14}));
    EXPECT_TRUE(calendar.IsWorkingDay({2027, 5, 4}));
    EXPECT_TRUE(calendar.IsWorkingDay({2027, 6, 15}));
    // 2 and 3 January 2027 are a weekend inside the holidays; nothing moves for them.
    EXPECT_FALSE(calendar.IsWorkingDay({2027, 1, 8}));
    EXPECT_TRUE(calendar.IsWorkingDay({2027, 1, 11}));
    EXPECT_EQ(calendar.WorkingDaysIn(2027), 249);
    // 2030: 23 February on a Saturday gives Monday the 25th off; 5 and 6 January move nothing.
    EXPECT_FALSE(calendar.IsWorkingDay({2030, 2, 25}));
    EXPECT_TRUE(calendar.IsWorkingDay({2030, 2, 26}));
    EXPECT_TRUE(calendar.IsWorkingDay({2030, 1, 9}));
    EXPECT_FALSE(calendar.IsWorkingDay({2030, 11, 4}));
    EXPECT_EQ(calendar.WorkingDaysIn(2030), 249);
    // A year before the data has no moved days either.
    EXPECT_FALSE(calendar.IsWorkingDay({1999, 1, 1}));
    EXPECT_TRUE(calendar.IsWorkingDay({1999, 12, 31}));
}

TEST(ProductionCalendar, NearestWorkingDayCrossesHolidaysAndYears) {
    const ProductionCalendar calendar;
    EXPECT_EQ(calendar.WorkingDayOnOrAfter({2024, 12, 28}), (Date{2024, 12, 28}));
    EXPECT_EQ(calendar.WorkingDayOnOrAfter({2024, 12, 29}), (Date{2025, 1, 9}));
    EXPECT_EQ(calendar.WorkingDayOnOrBefore({2025, 1, 8}), (Date{2024, 12, 28}));
    EXPECT_EQ(calendar.WorkingDayOnOrAfter({2026, 12, 31}), (Date{2027, 1, 11}));
    EXPECT_EQ(calendar.WorkingDayOnOrBefore({2027, 1, 10}), (Date{2026, 12, 30}));
}

TEST(ProductionCalendar, TheUsersMarksWinOverTheDataAndCanBeTakenBack) {
    ProductionCalendar calendar;
    calendar.Mark({2024, 5, 9}, true);     // a holiday worked
    calendar.Mark({2024, 6, 3}, false);    // a Monday off
    calendar.Mark({2030, 1, 5}, true);     // a weekend beyond the data worked
    EXPECT_TRUE(calendar.IsWorkingDay({2024, 5, 9}));
    EXPECT_FALSE(calendar.IsWorkingDay({2024, 6, 3}));
    EXPECT_TRUE(calendar.IsWorkingDay({2030, 1, 5}));
    EXPECT_EQ(calendar.WorkingDaysIn(2024), 248);  // one day more, one day less
    EXPECT_TRUE(ProductionCalendar::IsStandardWorkingDay({2024, 6, 3}));
    EXPECT_EQ(calendar.WorkingDayOnOrAfter({2024, 6, 1}), (Date{2024, 6, 4}));

    calendar.Mark({2024, 6, 3}, true);  // a second mark of a date replaces the first
    EXPECT_TRUE(calendar.IsWorkingDay({2024, 6, 3}));
    ASSERT_EQ(calendar.Changes().size(), 3u);
    EXPECT_EQ(calendar.Changes().front().date, (Date{2024, 5, 9}));
    EXPECT_EQ(calendar.Changes().back().date, (Date{2030, 1, 5}));

    calendar.Unmark({2024, 5, 9});
    EXPECT_FALSE(calendar.IsWorkingDay({2024, 5, 9}));
    calendar.SetChanges({{{2025, 1, 9}, false}, {{2025, 1, 9}, true}, {{2025, 1, 10}, false}});
    EXPECT_TRUE(calendar.IsWorkingDay({2024, 6, 3}) && calendar.IsWorkingDay({2025, 1, 9}));
    EXPECT_EQ(calendar.Changes().size(), 2u);
    EXPECT_EQ(calendar.WorkingDayOnOrAfter({2025, 1, 10}), (Date{2025, 1, 13}));
}

}  // namespace
