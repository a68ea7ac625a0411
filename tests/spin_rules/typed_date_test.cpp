#include <gtest/gtest.h>

#include "spin_rules/typed_date.h"

namespace {

using widgets::ReadTypedDate;

const loan::Date kEarliest{1900, 1, 1};
const loan::Date kLatest{9999, 12, 31};

struct Reading {
    const char* typed;
    loan::Date expected;
};

TEST(TypedDate, BothFormsGiveTheDateAsWritten) {
    const Reading readings[] = {{"15.01.2025", {2025, 1, 15}}, {"15012025", {2025, 1, 15}},
                                {"31.03.2024", {2024, 3, 31}}, {"31032024", {2024, 3, 31}},
                                {"15.03.2005", {2005, 3, 15}}, {"5.3.2005", {2005, 3, 5}},
                                {"29.02.2024", {2024, 2, 29}}, {" 01.01.1900 ", {1900, 1, 1}},
                                {"31.12.9999", {9999, 12, 31}}};
    for (const auto& [typed, expected] : readings) {
        const widgets::TypedDate read = ReadTypedDate(typed, kEarliest, kLatest);
        ASSERT_TRUE(read.date.has_value()) << typed << ": " << read.refusal;
        EXPECT_EQ(*read.date, expected) << typed;
        EXPECT_EQ(read.refusal, "") << typed;
    }
}

TEST(TypedDate, ADateThatDoesNotExistIsRefusedNotMoved) {
    const struct {
        const char* typed;
        const char* refusal;
    } refusals[] = {
        {"31.02.2025", "\"31.02.2025\" — такой даты нет."},
        {"29.02.2025", "\"29.02.2025\" — такой даты нет."},
        {"29022100", "\"29022100\" — такой даты нет."},
        {"00.01.2025", "\"00.01.2025\" — такой даты нет."},
        {"15.13.2025", "\"15.13.2025\" — такой даты нет."},
        {"32012025", "\"32012025\" — такой даты нет."},
    };
    for (const auto& [typed, refusal] : refusals) {
        const widgets::TypedDate read = ReadTypedDate(typed, kEarliest, kLatest);
        EXPECT_FALSE(read.date.has_value()) << typed;
        EXPECT_EQ(read.refusal, refusal);
    }
}

// Text that is no whole date: a part typed, a two-digit year, six digits, stray dots.
TEST(TypedDate, AnUnfinishedOrMalformedTextIsRefusedWithTheForms) {
    for (const char* typed :
         {"15.", "15.0", "15.01", "15.01.25", "150125", "1501202", "150120255", "15..2025",
          ".01.2025", "15.01.2025.", "123.01.2025", "15.01.02025", "15,01,2025", "a"}) {
        const widgets::TypedDate read = ReadTypedDate(typed, kEarliest, kLatest);
        EXPECT_FALSE(read.date.has_value()) << typed;
        EXPECT_EQ(read.refusal, "\"" + std::string(typed) +
                                    "\" — это не дата. Наберите дату целиком: ДД.ММ.ГГГГ или "
                                    "ДДММГГГГ.");
    }
}

TEST(TypedDate, AnExistingDateOutsideTheFieldsRangeIsRefusedWithTheBound) {
    const widgets::TypedDate early = ReadTypedDate("31.12.1899", kEarliest, kLatest);
    EXPECT_FALSE(early.date.has_value());
    EXPECT_EQ(early.refusal, "\"31.12.1899\" — дата раньше 01.01.1900.");
    const widgets::TypedDate late = ReadTypedDate("01.01.2031", kEarliest, {2030, 12, 31});
    EXPECT_FALSE(late.date.has_value());
    EXPECT_EQ(late.refusal, "\"01.01.2031\" — дата позже 31.12.2030.");
}

// While it is typed the field holds digits and dots up to the length of a full date; a comma
// of the numeric keypad becomes the dot.
TEST(TypedDate, WhatMayStandInTheFieldWhileTyping) {
    for (const char* text : {"", "1", "15.", "15.0", "15.03.2005", "15032005", "15,03"}) {
        EXPECT_TRUE(widgets::MayBeTypedDate(text)) << text;
    }
    for (const char* text : {"15.03.20055", "15/03", "15-03", "15 03", "a", "15.03.2005 "}) {
        EXPECT_FALSE(widgets::MayBeTypedDate(text)) << text;
    }
    EXPECT_EQ(widgets::EnteredDateText("15,03,2005"), "15.03.2005");
}

}  // namespace
