#include <gtest/gtest.h>

#include "register_fixture.h"

namespace {

using loan::PaymentKind;
using Row = std::vector<std::string>;

// Regular principal 4000: one payment of 2000 leaves 10000 to forecast.
class Forecast : public ::testing::Test, protected testing_support::RegisterFixture {
  protected:
    Forecast() : RegisterFixture("12000", "12", "3") {
        EXPECT_TRUE(pay({2005, 2, 10}, "2000", PaymentKind::PrincipalPlusInterest));
    }
    void chooseFixed(const std::string& amount) {
        port.onForecastSettings = [this, amount] {
            form.Form3.RadioButton3Click();
            form.Form3.FloatSpinEdit1.Text = amount;
        };
    }
    std::vector<Row> rowsFrom(int first, int last) const {
        std::vector<Row> rows;
        for (int r = first; r <= last; ++r) rows.push_back(row(r));
        return rows;
    }
};

TEST_F(Forecast, StandardMonthsFollowTheLastPaymentAndTotalIncludesThePayments) {
    form.N12Click();
    EXPECT_EQ(port.forecastSettingsShown, 1);
    EXPECT_TRUE(form.N20.Enabled);
    EXPECT_EQ(rowsFrom(2, 5),
              (std::vector<Row>{{"2", "Март 2005", "10000,00", "4000,00", "100,00", "4100,00", ""},
                                {"3", "Апрель 2005", "6000,00", "4000,00", "60,00", "4060,00", ""},
                                {"4", "Май 2005", "2000,00", "2000,00", "20,00", "2020,00", ""},
                                {"Всего:", "", "", "12000,00", "302,30", "12302,30", ""}}));
    EXPECT_EQ(form.NextRow, 2);
    EXPECT_EQ(form.Balance, 10000 * loan::kScale);
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);
    EXPECT_EQ(port.windowRefits, 1);
}

TEST_F(Forecast, FixedPaymentFromTheDialogIsRebuiltAfterEachPaymentAndDeletion) {
    form.N12Click();
    chooseFixed("5000");
    form.N20Click();
    const std::vector<Row> fixed = rowsFrom(2, 5);
    EXPECT_EQ(fixed,
              (std::vector<Row>{{"2", "Март 2005", "10000,00", "4900,00", "100,00", "5000,00", ""},
                                {"3", "Апрель 2005", "5100,00", "4949,00", "51,00", "5000,00", ""},
                                {"4", "Май 2005", "151,00", "151,00", "1,51", "152,51", ""},
                                {"Всего:", "", "", "12000,00", "274,81", "12274,81", ""}}));

    ASSERT_TRUE(pay({2005, 3, 10}, "100", PaymentKind::PrincipalPlusInterest));
    EXPECT_EQ(form.StringGrid1.cell(6, 2), "П+%");
    EXPECT_EQ(form.StringGrid1.cell(1, 3), "Апрель 2005");
    EXPECT_EQ(form.StringGrid1.cell(2, 3), "9900,00");
    form.Button6Click();
    EXPECT_EQ(rowsFrom(2, 5), fixed);
    EXPECT_FALSE(form.StringGrid1.rowHasText(6));

    form.N12Click();  // off: the forecast goes with it
    EXPECT_FALSE(form.N20.Enabled);
    for (int r = 2; r <= 5; ++r) EXPECT_FALSE(form.StringGrid1.rowHasText(r)) << r;
    EXPECT_EQ(form.StringGrid1.cell(0, 1), "1");
}

TEST_F(Forecast, FixedAmountBelowTheRegularMonthForecastsTheStandardMonthsAndSaysSo) {
    form.N12Click();
    const std::vector<Row> standard = rowsFrom(2, 5);
    EXPECT_TRUE(port.messages.empty());
    chooseFixed("0");
    form.N20Click();
    EXPECT_EQ(rowsFrom(2, 5), standard);
    EXPECT_EQ(lastMessage(),
              "Внимание!!!: Платеж 0,00 меньше обычной части долга (4000,00) с процентами за "
              "месяц.\rВо всех месяцах прогноза вместо него взят обычный платеж: часть долга "
              "плюс проценты.");

    // The rebuilds after a payment and a deletion keep the amount and say nothing again.
    const std::size_t said = port.messages.size();
    ASSERT_TRUE(pay({2005, 3, 10}, "100", PaymentKind::PrincipalPlusInterest));
    form.Button6Click();
    EXPECT_EQ(rowsFrom(2, 5), standard);
    EXPECT_EQ(port.messages.size(), said);
}

TEST_F(Forecast, FixedAmountRaisedOnlyWhileTheInterestIsHighNamesThoseMonths) {
    // 4080 is below 4000 + 100,00 in March only; April's 4000 + 60,00 fits under it.
    form.N12Click();
    chooseFixed("4080");
    form.N20Click();
    EXPECT_EQ(rowsFrom(2, 3),
              (std::vector<Row>{{"2", "Март 2005", "10000,00", "4000,00", "100,00", "4100,00", ""},
                                {"3", "Апрель 2005", "6000,00", "4020,00", "60,00", "4080,00", ""}}));
    EXPECT_EQ(lastMessage(),
              "Внимание!!!: Платеж 4080,00 меньше обычной части долга (4000,00) с процентами за "
              "месяц.\rВ первом месяце прогноза вместо него взят обычный платеж: часть долга "
              "плюс проценты.");
}

TEST(ForecastReplacedAmount, CountsTheFirstMonthsInWords) {
    // 120000 at 12 % for 12 months, one payment of 10000: 110000 left, 10000 a month. 10850
    // is below 10000 + interest while the interest is above 850: at the balances 110000,
    // 100000 and 90000, three months.
    testing_support::RegisterFixture f("120000", "12", "12");
    ASSERT_TRUE(f.pay({2005, 2, 10}, "10000", PaymentKind::PrincipalPlusInterest));
    f.port.onForecastSettings = [&] {
        f.form.Form3.RadioButton3Click();
        f.form.Form3.FloatSpinEdit1.Text = "10850";
    };
    f.form.N12Click();
    EXPECT_EQ(f.lastMessage(),
              "Внимание!!!: Платеж 10850,00 меньше обычной части долга (10000,00) с процентами "
              "за месяц.\rВ первые 3 месяца прогноза вместо него взят обычный платеж: часть "
              "долга плюс проценты.");

    // An amount that is enough from the first month on says nothing.
    f.port.onForecastSettings = [&] { f.form.Form3.FloatSpinEdit1.Text = "20000"; };
    const std::size_t said = f.port.messages.size();
    f.form.N20Click();
    EXPECT_EQ(f.port.messages.size(), said);
}

TEST(ForecastAverage, TotalOfThePaymentsIsSharedOverThePaymentMonths) {
    testing_support::RegisterFixture f;
    ASSERT_TRUE(f.pay({2005, 2, 5}, "500", PaymentKind::PrincipalPlusInterest));
    ASSERT_TRUE(f.pay({2005, 2, 25}, "500", PaymentKind::PrincipalPlusInterest));
    ASSERT_TRUE(f.pay({2005, 3, 10}, "1000,01", PaymentKind::PrincipalPlusInterest));
    f.port.onForecastSettings = [&] { f.form.Form3.RadioButton2Click(); };
    f.form.N12Click();
    // (602,58 + 575,62 + 1047,02) / 2 months
    EXPECT_EQ(f.row(4), (Row{"4", "Апрель 2005", "9999,99", "1012,61", "100,00", "1112,61", ""}));
}

TEST(ForecastEnds, PayingTheLoanOffLeavesNoForecastRows) {
    testing_support::RegisterFixture f("2000", "12", "2");
    f.form.N12Click();
    ASSERT_TRUE(f.pay({2005, 2, 10}, "1000", PaymentKind::PrincipalPlusInterest));
    EXPECT_EQ(f.form.StringGrid1.cell(0, 3), "Всего:");
    ASSERT_TRUE(f.pay({2005, 3, 10}, "1000", PaymentKind::PrincipalPlusInterest));
    for (int r = 3; r < f.form.StringGrid1.rowCount(); ++r)
        EXPECT_FALSE(f.form.StringGrid1.rowHasText(r)) << r;
}

TEST(ForecastEnds, LoanThatIsNeverRepaidStopsWithAMessageAndKeepsThePayments) {
    // 1.00 over 1000 months: the regular principal rounds to 0.
    testing_support::RegisterFixture f("1", "12", "1000");
    f.form.N12Click();
    ASSERT_TRUE(f.pay({2005, 2, 10}, "0", PaymentKind::PrincipalPlusInterest));
    EXPECT_EQ(f.lastMessage(),
              "Ошибка!!!: Прогноз невозможен: при таком платеже кредит никогда не будет "
              "выплачен!!!\rЕжемесячный платеж должен быть больше процентов за месяц.");
    EXPECT_EQ(f.row(1), (Row{"1", "10.02.2005", "1,00", "0,00", "0,01", "0,01", "П+%"}));
    EXPECT_EQ(f.form.StringGrid1.rowCount(), 10);
    for (int r = 2; r < 10; ++r) EXPECT_FALSE(f.form.StringGrid1.rowHasText(r));
}

TEST(ForecastEnds, TotalsRowStaysInsideTheTableAfterNinePayments) {
    testing_support::RegisterFixture f;
    for (int month = 2; month <= 10; ++month)
        ASSERT_TRUE(f.pay({2005, month, 10}, "0", PaymentKind::Automatic));
    f.form.N12Click();
    EXPECT_EQ(f.form.StringGrid1.cell(1, 10), "Ноябрь 2005");
    EXPECT_EQ(f.form.StringGrid1.cell(0, 13), "Всего:");
    EXPECT_EQ(f.form.StringGrid1.rowCount(), 14);
}

TEST(ForecastOptions, ActOnTheTableOnlyInThePaymentInputMode) {
    testing_support::FormFixture f;
    f.enterLoan("12000", "12", "12");
    f.form.Button1Click();
    f.form.N12Click();
    EXPECT_EQ(f.port.forecastSettingsShown, 1);
    EXPECT_EQ(f.form.StringGrid1.cell(0, 13), "Всего:");  // the schedule stays

    f.form.N16Click();
    f.form.N20Click();
    EXPECT_EQ(f.form.StringGrid1.rowCount(), 10);
    for (int r = 1; r < 10; ++r) EXPECT_FALSE(f.form.StringGrid1.rowHasText(r));
}

}  // namespace
