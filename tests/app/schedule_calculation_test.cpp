#include <gtest/gtest.h>

#include "support/fake_port.h"

namespace {

using Row = std::vector<std::string>;

class ScheduleCalculation : public ::testing::Test, protected testing_support::FormFixture {
  protected:
    void differentiated12000(const char* fee) {
        enterLoan("12000", "12", "12");
        form.SpinEdit6.Text = fee;
    }
};

TEST_F(ScheduleCalculation, DifferentiatedWithFeeOnTheLoanSum) {
    differentiated12000("0,5");
    form.Button1Click();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(form.Label9, "1000,00");
    EXPECT_EQ(row(1),
              (Row{"1", "Апрель 2004", "12000,00", "1000,00", "120,00", "60,00", "1180,00"}));
    EXPECT_EQ(row(2), (Row{"2", "Май 2004", "11000,00", "1000,00", "110,00", "60,00", "1170,00"}));
    EXPECT_EQ(row(12), (Row{"12", "Март 2005", "1000,00", "1000,00", "10,00", "60,00", "1070,00"}));
    EXPECT_EQ(row(13), (Row{"Всего:", "", "", "12000,00", "780,00", "720,00", "13500,00"}));
    EXPECT_EQ(form.Label15, "13500,00");
    EXPECT_EQ(form.Label17, "780,00");
    EXPECT_EQ(form.Label11, "0,00");
    EXPECT_EQ(form.Label13, "0,00");
    EXPECT_EQ(form.Label19, "0,00");
    EXPECT_EQ(form.StringGrid1.rowCount(), 14);
    EXPECT_TRUE(form.Button5.Enabled);
    EXPECT_TRUE(form.WindowFitEnabled);
    EXPECT_EQ(port.windowRefits, 1);
}

TEST_F(ScheduleCalculation, FeeOnTheBalanceAndFixedFee) {
    differentiated12000("0,5");
    form.N19Click();
    form.Button1Click();
    EXPECT_EQ(form.StringGrid1.cell(5, 1), "60,00");
    EXPECT_EQ(form.StringGrid1.cell(5, 2), "55,00");
    EXPECT_EQ(form.StringGrid1.cell(5, 12), "5,00");
    EXPECT_EQ(row(13), (Row{"Всего:", "", "", "12000,00", "780,00", "390,00", "13170,00"}));

    form.A1Click();
    form.SpinEdit6.Text = "25";
    form.Button1Click();
    for (int r = 1; r <= 12; ++r) EXPECT_EQ(form.StringGrid1.cell(5, r), "25,00");
    EXPECT_EQ(form.StringGrid1.cell(5, 13), "300,00");
}

TEST_F(ScheduleCalculation, RemainderOfTheRoundedRegularPartStaysOrIsCapped) {
    enterLoan("1000", "12", "3");
    form.Button1Click();
    EXPECT_EQ(form.Label9, "333,33");
    EXPECT_EQ(row(1), (Row{"1", "Апрель 2004", "1000,00", "333,33", "10,00", "0,00", "343,33"}));
    EXPECT_EQ(row(2), (Row{"2", "Май 2004", "666,67", "333,33", "6,67", "0,00", "340,00"}));
    EXPECT_EQ(row(3), (Row{"3", "Июнь 2004", "333,34", "333,33", "3,33", "0,00", "336,66"}));
    EXPECT_EQ(row(4), (Row{"Всего:", "", "", "999,99", "20,00", "0,00", "1019,99"}));
    EXPECT_EQ(form.Label11, "0,01");
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);

    enterLoan("2000", "12", "3");
    form.Button1Click();
    EXPECT_EQ(form.StringGrid1.cell(3, 3), "666,66");
    EXPECT_EQ(row(4), (Row{"Всего:", "", "", "2000,00", "40,00", "0,00", "2040,00"}));
    EXPECT_EQ(form.Label11, "0,00");
}

TEST_F(ScheduleCalculation, AnnuityIsSuggestedFirstThenComputed) {
    enterLoan("12000", "12", "12");
    form.RadioButtonBClick();
    form.Label15 = form.Label17 = form.Label19 = "earlier";
    form.Button1Click();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Внимание!!!");
    EXPECT_EQ(port.messages[0].text,
              "Сумма платежа с учетом исходных данных должна быть равна 1067,00 для кредитов,\r"
              "платежи по которым осуществляются равными частями.\r"
              "Если вы хотите посмотреть за какой промежуток времени вы выплатите кредит,\r"
              "платя определенную (среднюю) сумму в месяц (для дифференцированных платежей),\r"
              "отметьте \"Диф.платежи - равными частями\"...");
    EXPECT_EQ(form.SpinEdit5.Text, "1067");
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));
    EXPECT_EQ(form.Label9, "1000,00");
    EXPECT_EQ(form.Label11, "0,00");
    // The table is empty: so are the totals beside it.
    EXPECT_EQ(form.Label15, "0,00");
    EXPECT_EQ(form.Label17, "0,00");
    EXPECT_EQ(form.Label19, "0,00");
    EXPECT_FALSE(form.WindowFitEnabled);

    form.Button1Click();
    EXPECT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(row(1), (Row{"1", "Апрель 2004", "12000,00", "947,00", "120,00", "0,00", "1067,00"}));
    EXPECT_EQ(row(2), (Row{"2", "Май 2004", "11053,00", "956,47", "110,53", "0,00", "1067,00"}));
    EXPECT_EQ(row(12), (Row{"12", "Март 2005", "1046,21", "1046,21", "10,46", "0,00", "1056,67"}));
    EXPECT_EQ(row(13), (Row{"Всего:", "", "", "12000,00", "793,67", "0,00", "12793,67"}));
}

TEST_F(ScheduleCalculation, OwnPaymentNeverRepaysLessThanTheRegularPart) {
    enterLoan("12000", "12", "12");
    form.RadioButtonBClick();
    form.CheckBox1.Checked = true;
    form.SpinEdit5.Text = "2000";
    form.Button1Click();
    EXPECT_EQ(row(7), (Row{"7", "Октябрь 2004", "434,20", "434,20", "4,34", "0,00", "438,54"}));
    EXPECT_EQ(row(8), (Row{"Всего:", "", "", "12000,00", "438,54", "0,00", "12438,54"}));
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);

    form.SpinEdit5.Text = "500";
    form.Button1Click();
    std::vector<Row> ownRows;
    for (int r = 1; r <= 13; ++r) ownRows.push_back(row(r));
    form.RadioButtonAClick();
    form.Button1Click();
    for (int r = 1; r <= 13; ++r) EXPECT_EQ(ownRows[static_cast<std::size_t>(r - 1)], row(r)) << r;
}

TEST_F(ScheduleCalculation, OneMonthAnnuityIsExact) {
    enterLoan("1000", "12", "1");
    form.RadioButtonBClick();
    form.SpinEdit5.Text = "1010";
    form.Button1Click();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(row(1), (Row{"1", "Апрель 2004", "1000,00", "1000,00", "10,00", "0,00", "1010,00"}));
    EXPECT_EQ(form.Label11, "0,00");
}

// The payment field holds any 32-bit annuity: a mortgage of 15 000 000 at 12 % over 60
// months is suggested and computed; one beyond 32 bits keeps repeating the mismatch.
TEST_F(ScheduleCalculation, AnnuityAboveTheFieldLimitRepeatsTheMismatch) {
    enterLoan("15000000", "12", "60");
    form.RadioButtonBClick();
    form.Button1Click();
    EXPECT_EQ(form.SpinEdit5.Text, "333667");
    form.Button1Click();
    EXPECT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(row(1)[6], "333667,00");

    enterLoan("100000000000", "12", "12");  // an annuity near 8.9e9
    form.Button1Click();
    form.Button1Click();
    EXPECT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(form.SpinEdit5.Text, "2147483647");
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));
}

TEST_F(ScheduleCalculation, ValidationStopsBeforeAnythingChanges) {
    enterLoan("12000", "12", "12");
    form.Button1Click();
    const Row before = row(1);

    form.SpinEdit3.Text = "1001";
    form.Button1Click();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Вот это да!!!");
    EXPECT_EQ(port.messages[0].text,
              "Вы серьезно думаете, что на такой срок вам дадут кредит?!?! %)\r"
              "Срок погашения — не больше 1000 месяцев.");

    for (auto [sum, rate, term] : {std::array{"0", "12", "12"}, std::array{"12000", "0", "12"},
                                   std::array{"12000", "12", "0"}, std::array{"", "12", "12"},
                                   std::array{"-12000", "12", "12"}}) {
        enterLoan(sum, rate, term);
        form.Button1Click();
        EXPECT_EQ(port.messages.back().caption, "Ошибка!!!");
        EXPECT_EQ(port.messages.back().text, "Что-то забыли ввести...");
    }
    EXPECT_EQ(row(1), before);

    enterLoan("12000", "12", "abc");
    EXPECT_FALSE(form.RunHandler([&] { form.Button1Click(); }));
    EXPECT_EQ(port.messages.back().text, "\"abc\" не является целым числом.");
    EXPECT_EQ(row(1), before);
}

TEST_F(ScheduleCalculation, TermLimitAndTableGrowth) {
    enterLoan("100000", "12", "1000");
    form.Button1Click();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(form.StringGrid1.rowCount(), 1002);
    EXPECT_EQ(form.StringGrid1.cell(0, 1001), "Всего:");
    EXPECT_EQ(form.StringGrid1.cell(3, 1001), "100000,00");

    enterLoan("9000", "12", "9");
    form.Button1Click();
    EXPECT_EQ(form.StringGrid1.rowCount(), 11);
    EXPECT_EQ(form.StringGrid1.cell(0, 10), "Всего:");
    EXPECT_EQ(form.PreviousRowCount, 1002);
    EXPECT_FALSE(form.StringGrid1.rowHasText(11));  // the old rows were blanked

    enterLoan("8000", "12", "8");
    form.Button1Click();
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);
    EXPECT_EQ(form.StringGrid1.cell(0, 9), "Всего:");
}

TEST_F(ScheduleCalculation, HugeAmountsAreRefusedNotWrapped) {
    enterLoan("1e15", "12", "12");
    form.Button1Click();
    EXPECT_EQ(port.messages.back().text, "Слишком большая сумма кредита...");
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));

    enterLoan("1e400", "12", "12");  // beyond a Double
    form.Button1Click();
    EXPECT_EQ(port.messages.back().text, "Слишком большая сумма кредита...");

    enterLoan("100000000000", "100000", "1000");  // fits, but the interest does not
    form.Button1Click();
    EXPECT_EQ(port.messages.back().text, "Суммы слишком велики для расчета...");
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);
}

TEST_F(ScheduleCalculation, ARefusalThatEmptiesTheTableLeavesNoEarlierTotals) {
    differentiated12000("0,5");
    form.Button1Click();
    ASSERT_EQ(form.Label15, "13500,00");

    form.SpinEdit1.Text = "100000000000";  // the interest leaves the amount limit
    form.SpinEdit2.Text = "100000";
    form.Button1Click();
    EXPECT_EQ(port.messages.back().text, "Суммы слишком велики для расчета...");
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));
    for (const std::string* label : {&form.Label9, &form.Label11, &form.Label13, &form.Label15,
                                     &form.Label17, &form.Label19}) {
        EXPECT_EQ(*label, "0,00");
    }

    // The payment text is read after the table was emptied.
    differentiated12000("0,5");
    form.Button1Click();
    form.RadioButtonBClick();
    form.SpinEdit5.Text = "x";
    EXPECT_FALSE(form.RunHandler([&] { form.Button1Click(); }));
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));
    EXPECT_EQ(form.Label15, "0,00");
    EXPECT_EQ(form.Label17, "0,00");
}

TEST(ScheduleCalculationPoint, SameScheduleUnderAPointLocale) {
    testing_support::FormFixture f('.');
    f.enterLoan("1000", "12", "3");
    f.form.Button1Click();
    EXPECT_EQ(f.row(3), (Row{"3", "Июнь 2004", "333.34", "333.33", "3.33", "0.00", "336.66"}));
    EXPECT_EQ(f.form.Label11, "0.01");
}

}  // namespace
