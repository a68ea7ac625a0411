#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loan/advance.h"
#include "loan/forecast.h"

namespace {

using loan::ScaledAmount;

constexpr ScaledAmount units(double value) {
    return static_cast<ScaledAmount>(value * 10000 + (value < 0 ? -0.5 : 0.5));
}

struct PaymentRow {
    const char* date;
    const char* principal;
};

loan::ScheduleTable paymentTable(const std::vector<PaymentRow>& rows) {
    loan::ScheduleTable table;
    int r = 1;
    for (const PaymentRow& row : rows) {
        table.setCell(1, r, row.date);
        table.setCell(3, r, row.principal);
        ++r;
    }
    return table;
}

TEST(AdvanceOverSchedule, CountsOnlyMonthsWithAPayment) {
    // Standard principal 1000: 1500 in February, 500 and 0 in March, nothing in April,
    // 1000 in May.
    const loan::ScheduleTable table = paymentTable({{"10.02.2005", "1500,00"},
                                                    {"10.03.2005", "500,00"},
                                                    {"20.03.2005", "0,00"},
                                                    {"10.05.2005", "1000,00"}});
    const loan::Locale locale;
    const ScaledAmount expected[] = {0, units(500), 0, 0, 0};
    for (int n = 0; n <= 4; ++n) {
        double distance = -7;
        EXPECT_EQ(loan::AdvanceOverSchedule(table, n, 1000, locale, distance), expected[n])
            << n << " rows";
    }
    double distance = 0;
    EXPECT_EQ(loan::PaymentMonthCount(table, 4, distance), 3);
    EXPECT_EQ(distance, 2);  // the last comparison: March to May
    EXPECT_EQ(loan::PaymentMonthCount(table, 1, distance), 1);
}

TEST(AdvanceOverSchedule, ShortfallIsNegativeAndYearChangesStartANewMonth) {
    const loan::ScheduleTable table =
        paymentTable({{"20.12.2005", "400,00"}, {"05.01.2006", "0,00"}, {"25.01.2006", "250,50"}});
    double distance = 0;
    EXPECT_EQ(loan::AdvanceOverSchedule(table, 3, 1000, loan::Locale{}, distance), -units(1349.5));
    EXPECT_EQ(loan::PaymentMonthCount(table, 3, distance), 2);
}

TEST(AdvanceOverSchedule, RowThatIsNoPaymentIsAConversionError) {
    loan::ScheduleTable table = paymentTable({{"10.02.2005", "1500,00"}, {"Март 2005", "1,00"}});
    double distance = 0;
    EXPECT_THROW(loan::AdvanceOverSchedule(table, 2, 1000, loan::Locale{}, distance),
                 std::runtime_error);
}

std::vector<std::vector<double>> monthsOf(const loan::ForecastTerms& terms) {
    const auto months = loan::ForecastMonths(terms);
    EXPECT_TRUE(months.has_value());
    std::vector<std::vector<double>> result;
    for (const loan::ForecastMonth& m : months.value_or(std::vector<loan::ForecastMonth>{})) {
        result.push_back({m.balance / 1e4, m.principal / 1e4, m.interest / 1e4, m.total / 1e4});
    }
    return result;
}

using Months = std::vector<std::vector<double>>;

TEST(ForecastMonths, StandardPaysTheRegularPrincipalAndTheRestLast) {
    EXPECT_EQ(monthsOf({units(10000), units(4000), 12, units(4000), false}),
              (Months{{10000, 4000, 100, 4100}, {6000, 4000, 60, 4060}, {2000, 2000, 20, 2020}}));
}

TEST(ForecastMonths, FixedTotalPaysInterestFirstAndTheRestLast) {
    EXPECT_EQ(monthsOf({units(10000), units(4000), 12, units(5000), true}),
              (Months{{10000, 4900, 100, 5000}, {5100, 4949, 51, 5000}, {151, 151, 1.51, 152.51}}));
}

TEST(ForecastMonths, TotalBelowRegularPrincipalPlusInterestFallsBackToStandard) {
    const Months standard = monthsOf({units(10000), units(4000), 12, units(4000), false});
    for (double fixed : {0.0, 4059.99, -50.0}) {
        EXPECT_EQ(monthsOf({units(10000), units(4000), 12, units(fixed), true}), standard) << fixed;
    }
}

TEST(ForecastMonths, NothingOwedGivesNoMonths) {
    const auto months = loan::ForecastMonths({0, units(1000), 12, units(1000), false});
    ASSERT_TRUE(months.has_value());
    EXPECT_TRUE(months->empty());
}

TEST(ForecastMonths, MonthThatRepaysNoPrincipalStopsTheForecast) {
    // A regular principal of 0 (a tiny loan over a long term) never lowers the balance,
    EXPECT_FALSE(loan::ForecastMonths({units(3), 0, 12, 0, false}).has_value());
    // nor does a fixed total that only covers the interest (0.03 on 3.00 at 12 %),
    EXPECT_FALSE(loan::ForecastMonths({units(3), 0, 12, units(0.03), true}).has_value());
    // while one kopeck more repays it, however slowly.
    const auto slow = loan::ForecastMonths({units(3), 0, 12, units(0.04), true});
    ASSERT_TRUE(slow.has_value());
    EXPECT_GT(slow->size(), 100u);
    EXPECT_EQ(slow->back().balance, slow->back().principal);
}

TEST(ForecastMonths, ALoanNotRepaidWithinTheLimitGivesNoForecast) {
    // A balance out of proportion to the regular principal, as a hand-edited file may hold.
    const loan::ForecastTerms terms{units(1000000), units(1), 12, units(1), false};
    EXPECT_FALSE(loan::ForecastMonths(terms).has_value());
    const auto shortLoan = loan::ForecastMonths({units(3), units(1), 12, units(1), false}, 3);
    ASSERT_TRUE(shortLoan.has_value());
    EXPECT_EQ(shortLoan->size(), 3u);
}

TEST(ForecastMonths, MonthlyInterestIsATwelfthOfTheRateInWholeHundredths) {
    EXPECT_EQ(loan::MonthlyInterest(units(12000), 12), units(120));
    // 10.005 is stored just above the half and goes up.
    EXPECT_EQ(loan::MonthlyInterest(units(1000.5), 12), units(10.01));
    EXPECT_EQ(loan::MonthlyInterest(units(333.34), 12), units(3.33));
}

TEST(ForecastMonths, AveragePaymentIsTheTotalPerPaymentMonth) {
    EXPECT_EQ(loan::AverageMonthlyPayment(units(3000), 2), units(1500));
    EXPECT_EQ(loan::AverageMonthlyPayment(units(1000), 3), units(333.33));
    EXPECT_EQ(loan::AverageMonthlyPayment(units(2000), 3), units(666.67));
}

}  // namespace
