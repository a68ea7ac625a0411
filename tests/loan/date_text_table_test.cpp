#include <gtest/gtest.h>

#include "loan/annuity.h"
#include "loan/date.h"
#include "text/errors.h"
#include "loan/schedule_table.h"
#include "text/text.h"

namespace {

using loan::Date;

TEST(SameMonth, ComparesMonthAndYearAndAddsTwelveOncePerYearChange) {
    const struct {
        Date later, earlier;
        bool same;
        double distance;
    } cases[] = {
        {{2005, 3, 15}, {2005, 3, 1}, true, 0},  {{2006, 1, 1}, {2005, 12, 31}, false, 1},
        {{2005, 2, 1}, {2005, 3, 1}, false, -1}, {{2007, 3, 1}, {2005, 1, 1}, false, 14},
        {{2005, 1, 1}, {2005, 3, 1}, false, -2}, {{2007, 1, 10}, {2005, 12, 10}, false, 1},
        {{2006, 3, 1}, {2005, 3, 1}, false, 12},
    };
    for (const auto& c : cases) {
        double distance = -99;
        EXPECT_EQ(loan::SameMonth(c.later, c.earlier, distance), c.same);
        EXPECT_EQ(distance, c.distance);
    }
}

TEST(Dates, MonthStepsClipTheDayAndSerialsCountDays) {
    EXPECT_EQ(loan::IncMonth({2004, 1, 31}), (Date{2004, 2, 29}));
    EXPECT_EQ(loan::IncMonth({2005, 1, 31}), (Date{2005, 2, 28}));
    EXPECT_EQ(loan::IncMonth({2005, 12, 15}), (Date{2006, 1, 15}));
    EXPECT_EQ(loan::IncMonth({2005, 3, 10}, 13), (Date{2006, 4, 10}));
    EXPECT_EQ(loan::DaysBetween({2007, 12, 15}, {2007, 12, 31}), 16);
    EXPECT_EQ(loan::DaysBetween({2008, 1, 15}, {2007, 12, 31}), 15);
    EXPECT_EQ(loan::DaysBetween({2000, 3, 1}, {2000, 2, 28}), 2);
    for (const Date& d : {Date{1899, 12, 30}, Date{2004, 2, 29}, Date{2100, 3, 1}}) {
        EXPECT_EQ(loan::DateFromSerial(loan::DaySerial(d)), d);
    }
}

TEST(Dates, ShortDateTextsRoundTripAndRefuseNonsense) {
    const loan::Locale locale;
    EXPECT_EQ(loan::FormatShortDate({2005, 1, 15}), "15.01.2005");
    EXPECT_EQ(loan::FormatMonthYear({2004, 4, 10}, locale), "Апрель 2004");
    EXPECT_EQ(loan::ParseShortDate("15.01.2005"), (Date{2005, 1, 15}));
    EXPECT_EQ(loan::ParseShortDate("1.2.2005"), (Date{2005, 2, 1}));
    EXPECT_EQ(loan::ParseShortDate("01.02.05"), (Date{2005, 2, 1}));
    for (const char* bad : {"", "31.02.2005", "15.13.2005", "15/01/2005", "Январь 2005", "15.01.",
                            "1.1.1.2005", "15.01.20055"}) {
        EXPECT_FALSE(loan::TryParseShortDate(bad).has_value()) << bad;
    }
    EXPECT_THROW(loan::ParseShortDate("x"), loan::ConversionError);
}

TEST(Texts, ReplaceAllAndSeparatorNormalisation) {
    EXPECT_EQ(loan::ReplaceAll("1.2.3", ".", ","), "1,2,3");
    EXPECT_EQ(loan::ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(loan::ReplaceAll("aaa", "a", ""), "");
    EXPECT_EQ(loan::ReplaceAll("a\rb", "\r", "\n"), "a\nb");
    EXPECT_EQ(loan::NormalizeDecimalSeparator("1234.56", loan::Locale::withSeparator(',')),
              "1234,56");
    EXPECT_EQ(loan::NormalizeDecimalSeparator("1,5", loan::Locale::withSeparator('.')), "1.5");
    EXPECT_EQ(loan::NormalizeDecimalSeparator("1,5", loan::Locale::withSeparator('\'')), "1,5");
}

TEST(ScheduleTable, CellsBeyondTheRowCountAreKept) {
    loan::ScheduleTable table;
    EXPECT_EQ(table.rowCount(), 10);
    table.setCell(3, 15, "kept");
    EXPECT_EQ(table.rowCount(), 10);
    table.setRowCount(20);
    EXPECT_EQ(table.cell(3, 15), "kept");
    EXPECT_TRUE(table.rowHasText(15));
    table.clearRows(1, 20);
    EXPECT_FALSE(table.rowHasText(15));
    EXPECT_EQ(table.cell(0, 500), "");
}

TEST(SumColumn, SumsCellTextsAsScaledAmounts) {
    const loan::Locale comma = loan::Locale::withSeparator(',');
    loan::ScheduleTable table;
    table.setCell(2, 1, "1000,00");
    table.setCell(2, 2, "333,33");
    table.setCell(2, 3, "0,01");
    EXPECT_EQ(loan::SumColumn(table, 2, 3, comma), 13333400);
    EXPECT_EQ(loan::SumColumn(table, 2, 0, comma), 0);
    EXPECT_EQ(loan::SumColumn(table, 2, -3, comma), 0);
    table.setCell(2, 4, "1234,56");
    EXPECT_EQ(loan::SumColumn(table, 2, 4, comma), 13333400 + 12345600);
    EXPECT_THROW(loan::SumColumn(table, 2, 5, comma), loan::ConversionError);  // empty cell
    EXPECT_THROW(loan::SumColumn(table, 2, 4, loan::Locale::withSeparator('.')),
                 loan::ConversionError);
}

TEST(AnnuityPayment, RoundsUpToWholeUnits) {
    EXPECT_EQ(loan::AnnuityPayment(12000, 12, 12), 1067);
    EXPECT_EQ(loan::AnnuityPayment(1000, 12, 1), 1010);
    EXPECT_EQ(loan::AnnuityPayment(100000, 12, 120), 1435);
    EXPECT_EQ(loan::AnnuityPayment(1000000, 100000, 1000), 83333334);
}

}  // namespace
