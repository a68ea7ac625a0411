// The Russian word after a count of months.
#include <gtest/gtest.h>

#include <climits>

#include "loan/plural.h"

namespace {

TEST(MonthsWord, FollowsTheLastTwoDigitsOfTheCount) {
    const std::pair<long long, const char*> cases[] = {
        {0, "месяцев"},   {1, "месяц"},      {2, "месяца"},    {4, "месяца"},
        {5, "месяцев"},   {10, "месяцев"},   {11, "месяцев"},  {12, "месяцев"},
        {14, "месяцев"},  {15, "месяцев"},   {20, "месяцев"},  {21, "месяц"},
        {22, "месяца"},   {24, "месяца"},    {25, "месяцев"},  {101, "месяц"},
        {111, "месяцев"}, {112, "месяцев"},  {1000, "месяцев"}, {1001, "месяц"},
        {-1, "месяц"},    {-12, "месяцев"},  {-23, "месяца"},
        {LLONG_MIN, "месяцев"},  // ...808
        {LLONG_MAX, "месяцев"},  // ...807
    };
    for (const auto& [count, word] : cases) EXPECT_STREQ(loan::MonthsWord(count), word) << count;
}

TEST(MonthsWord, ReadsTheCountFromItsTextAsItStands) {
    const std::pair<const char*, const char*> cases[] = {
        {"007", "месяцев"}, {"021", "месяц"},   {" 3 ", "месяца"}, {"+22", "месяца"},
        {"-1", "месяц"},    {"", "месяцев"},    {"abc", "месяцев"}, {"2a", "месяцев"},
        {"-", "месяцев"},   {"99999999999999999999921", "месяц"},
    };
    for (const auto& [text, word] : cases)
        EXPECT_STREQ(loan::MonthsWordAfter(text), word) << '"' << text << '"';
}

TEST(PluralForm, PicksOneFewOrMany) {
    EXPECT_STREQ(loan::PluralForm(31, "день", "дня", "дней"), "день");
    EXPECT_STREQ(loan::PluralForm(33, "день", "дня", "дней"), "дня");
    EXPECT_STREQ(loan::PluralForm(13, "день", "дня", "дней"), "дней");
}

}  // namespace
