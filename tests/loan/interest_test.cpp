#include <gtest/gtest.h>

#include "loan/interest.h"

namespace {

using loan::Date;
using loan::InterestBetween;

struct InterestCase {
    const char* what;
    Date earlier;
    Date later;
    double expected;
};

// 100000.00 at 12 % throughout: a day is worth 12000 / 365 or 12000 / 366.
TEST(InterestBetween, DaysAreWeighedAgainstTheLengthOfTheirYear) {
    const InterestCase cases[] = {
        {"common year, 31 days", {2005, 3, 10}, {2005, 4, 10}, 1019.18},
        {"common into leap year, split 16/365 + 15/366", {2007, 12, 15}, {2008, 1, 15}, 1017.83},
        {"leap into common year, split 16/366 + 15/365", {2008, 12, 15}, {2009, 1, 15}, 1017.74},
        {"two common years are not split", {2005, 12, 15}, {2006, 1, 15}, 1019.18},
        {"within a leap year, 31/366", {2008, 3, 10}, {2008, 4, 10}, 1016.39},
        {"two common years around a leap year, 731/365", {2007, 1, 1}, {2009, 1, 1}, 24032.88},
        {"same day", {2005, 3, 10}, {2005, 3, 10}, 0},
        {"payment on 31 December of a common year before a leap one",
         {2007, 12, 1},
         {2007, 12, 31},
         986.30},
    };
    for (const InterestCase& c : cases) {
        EXPECT_DOUBLE_EQ(InterestBetween(100000, 12, c.later, c.earlier), c.expected) << c.what;
    }
}

TEST(InterestBetween, OrderOfTheDatesDoesNotMatterWithinYearsOfOneLength) {
    EXPECT_DOUBLE_EQ(InterestBetween(100000, 12, {2005, 3, 10}, {2005, 4, 10}), 1019.18);
}

TEST(InterestBetween, ResultIsInWholeHundredths) {
    // 1000 at 10 % for one day: 0.27397... rounds to 0.27; 18 days: 4.93150... to 4.93.
    EXPECT_DOUBLE_EQ(InterestBetween(1000, 10, {2005, 1, 2}, {2005, 1, 1}), 0.27);
    EXPECT_DOUBLE_EQ(InterestBetween(1000, 10, {2005, 1, 19}, {2005, 1, 1}), 4.93);
    // Each part of a split span is scaled on its own and only the sum is rounded:
    // 1000 at 10 %: 0.27397 (1/365) + 0.27322 (1/366) = 0.54719 -> 0.55.
    EXPECT_DOUBLE_EQ(InterestBetween(1000, 10, {2008, 1, 1}, {2007, 12, 30}), 0.55);
}

}  // namespace
