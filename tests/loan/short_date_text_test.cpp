#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "loan/date.h"

namespace {

std::string printed(const loan::Date& date) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", date.day, date.month, date.year);
    return buffer;
}

// The short date is written digit by digit for the dates a loan meets; it must read exactly
// as the general "%02d.%02d.%04d" does, which still writes every other value.
TEST(ShortDateText, WrittenDigitsMatchThePrintedFormat) {
    for (int year : {0, 1, 9, 10, 99, 100, 999, 1000, 1999, 2000, 2024, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= loan::DaysInMonth(year, month); ++day) {
                const loan::Date date{year, month, day};
                ASSERT_EQ(loan::FormatShortDate(date), printed(date));
            }
        }
    }
    for (const loan::Date date :
         {loan::Date{10000, 1, 1}, loan::Date{-1, 12, 31}, loan::Date{2024, 13, 1},
          loan::Date{2024, 1, 32}, loan::Date{2024, 0, 0}, loan::Date{-2147483647, -1, -1}}) {
        EXPECT_EQ(loan::FormatShortDate(date), printed(date));
    }
}

}  // namespace
