#include <gtest/gtest.h>

#include <functional>

#include "register_fixture.h"

namespace {

using loan::PaymentKind;
using Row = std::vector<std::string>;
constexpr PaymentKind kPi = PaymentKind::PrincipalPlusInterest;
constexpr PaymentKind kDeducted = PaymentKind::InterestDeducted;
constexpr PaymentKind kAuto = PaymentKind::Automatic;

class Payments : public ::testing::Test, protected testing_support::RegisterFixture {};

TEST_F(Payments, AutomaticPaymentsMakeUpTheAdvanceMonthByMonth) {
    // Regular principal 1000: 1500 in February runs 500 ahead, so March's automatic payment
    // pays 500, a second one in March nothing, and April (no payment) is not counted.
    ASSERT_TRUE(pay({2005, 2, 10}, "1500", kPi));
    EXPECT_EQ(row(1), (Row{"1", "10.02.2005", "12000,00", "1500,00", "122,30", "1622,30", "П+%"}));
    EXPECT_EQ(form.Label19, "500,00");
    ASSERT_TRUE(pay({2005, 3, 10}, "0", kAuto));
    EXPECT_EQ(row(2), (Row{"2", "10.03.2005", "10500,00", "500,00", "96,66", "596,66", "АП"}));
    EXPECT_EQ(form.Label19, "0,00");
    ASSERT_TRUE(pay({2005, 3, 20}, "0", kAuto));
    EXPECT_EQ(row(3), (Row{"3", "20.03.2005", "10000,00", "0,00", "32,88", "32,88", "АП"}));
    EXPECT_TRUE(port.messages.empty());
    ASSERT_TRUE(pay({2005, 5, 10}, "0", kAuto));
    EXPECT_EQ(row(4), (Row{"4", "10.05.2005", "10000,00", "1000,00", "167,67", "1167,67", "АП"}));
    EXPECT_EQ(lastMessage(), "Ошибка!!!: Может возникнуть просрочка!!!");
    EXPECT_EQ(form.Label19, "0,00");
    EXPECT_EQ(form.Label11, "9000,00");
    EXPECT_EQ(form.Label9, "1000,00");
    EXPECT_EQ(form.Label15, "3419,51");
    EXPECT_EQ(form.Label17, "419,51");
    EXPECT_EQ(form.NextRow, 5);
    EXPECT_EQ(form.SelectedRow, 4);
}

TEST_F(Payments, PreviewShowsTheInterestUpToThePickedDate) {
    enterLoan("100000", "12", "12", {2007, 12, 15});
    form.DateTimePicker2.Date = {2008, 1, 15};
    form.DateTimePicker2Change();
    EXPECT_EQ(form.Label13, "1017,83");
    ASSERT_TRUE(pay({2008, 1, 15}, "5000", kDeducted));
    EXPECT_EQ(row(1),
              (Row{"1", "15.01.2008", "100000,00", "3982,17", "1017,83", "5000,00", "П+%(вычет)"}));
    // From now on the preview runs from the last payment on the balance shown.
    form.DateTimePicker2.Date = {2008, 2, 15};
    form.DateTimePicker2Change();
    EXPECT_EQ(form.Label13, "975,92");
}

// A date no payment could have once showed interest on the days counted backwards
// (363 934,43 for a date 2.5 months before the loan): it gets the payment's refusal instead.
TEST_F(Payments, PreviewRefusesADateBeforeTheLoanOrTheLastPayment) {
    enterLoan("15000000", "12", "60", {2005, 1, 10});
    const auto preview = [&](loan::Date date) {
        port.messages.clear();
        form.DateTimePicker2.Date = date;
        form.DateTimePicker2Change();
        return lastMessage();
    };
    EXPECT_EQ(preview({2004, 10, 25}), "Ошибка!!!: Дата платежа раньше даты получения кредита...");
    EXPECT_EQ(form.Label13, "0");
    EXPECT_EQ(form.Interest, 0);
    EXPECT_EQ(preview({2005, 1, 10}), "");  // the loan's own day: no interest yet
    EXPECT_EQ(form.Label13, "0,00");
    EXPECT_EQ(preview({2005, 2, 10}), "");
    EXPECT_EQ(form.Label13, "152876,71");

    ASSERT_TRUE(pay({2005, 2, 10}, "500000", kPi));
    EXPECT_EQ(preview({2005, 2, 1}), "Ошибка!!!: Дата платежа раньше предыдущей даты платежа...");
    EXPECT_EQ(form.Label13, "0");
    // Before the loan as well: the payment checks the loan date first, and so does the preview.
    EXPECT_EQ(preview({2004, 12, 1}), "Ошибка!!!: Дата платежа раньше даты получения кредита...");
    EXPECT_EQ(preview({2005, 3, 10}), "");
    EXPECT_EQ(form.Label13, "133479,45");
}

TEST_F(Payments, ZeroAmountsRecordInterestOnly) {
    ASSERT_TRUE(pay({2005, 2, 10}, "0", kPi));
    EXPECT_EQ(row(1), (Row{"1", "10.02.2005", "12000,00", "0,00", "122,30", "122,30", "П+%"}));
    ASSERT_TRUE(pay({2005, 3, 10}, "110,47", kDeducted));  // exactly the interest shown
    EXPECT_EQ(row(2),
              (Row{"2", "10.03.2005", "12000,00", "0,00", "110,47", "110,47", "П+%(вычет)"}));
    EXPECT_EQ(form.Label19, "- 2000,00");
}

struct Refusal {
    const char* what;
    std::function<void(testing_support::RegisterFixture&)> prepare;
    loan::Date date;
    const char* amount;
    PaymentKind kind;
    const char* message;
    // A refused date is already refused by the interest preview when it is picked.
    std::size_t shown = 1;
};

TEST(PaymentRefusals, EachCheckStopsWithItsMessageAndRecordsNothing) {
    const auto nothing = [](testing_support::RegisterFixture&) {};
    const auto onePayment = [](testing_support::RegisterFixture& f) {
        ASSERT_TRUE(f.pay({2005, 2, 10}, "1000", kPi));
    };
    const Refusal refusals[] = {
        {"no loan sum",
         [](auto& f) { f.form.SpinEdit1.Text = "0"; },
         {2005, 2, 10},
         "100",
         kPi,
         "Ошибка!!!: Что-то забыли ввести..."},
        {"negative loan sum",
         [](auto& f) { f.form.SpinEdit1.Text = "-12000"; },
         {2005, 2, 10},
         "100",
         kPi,
         "Ошибка!!!: Что-то забыли ввести..."},
        {"before the loan",
         nothing,
         {2005, 1, 9},
         "100",
         kPi,
         "Ошибка!!!: Дата платежа раньше даты получения кредита...",
         2},
        {"before the last payment",
         onePayment,
         {2005, 2, 9},
         "100",
         kPi,
         "Ошибка!!!: Дата платежа раньше предыдущей даты платежа...",
         2},
        {"same day",
         onePayment,
         {2005, 2, 10},
         "100",
         kPi,
         "Ошибка!!!: В один день вносить два платежа нельзя..."},
        {"term",
         [](auto& f) { f.form.SpinEdit3.Text = "1001"; },
         {2005, 2, 10},
         "100",
         kPi,
         "Вот это да!!!: Вы серьезно думаете, что на такой срок вам дадут кредит?!?! %)\r"
         "Срок погашения — не больше 1000 месяцев."},
        {"no amount",
         nothing,
         {2005, 2, 10},
         "0",
         kDeducted,
         "Ошибка!!!: Введите сумму платежа!!!"},
        {"zero written otherwise",
         nothing,
         {2005, 2, 10},
         "0,00",
         kDeducted,
         "Ошибка!!!: Введите сумму платежа!!!"},
        {"below the interest",
         nothing,
         {2005, 2, 10},
         "122,29",
         kDeducted,
         "Так возникнет просрочка!!!: Сумма платежа меньше процентов на текущую дату!!!"},
        {"negative",
         onePayment,
         {2005, 3, 10},
         "-100",
         kPi,
         "Ошибка!!!: Сумма платежа не может быть отрицательной!!!"},
        {"above the balance",
         onePayment,
         {2005, 3, 10},
         "11000,01",
         kPi,
         "Ошибка!!!: Сумма платежа больше остатка! Лучше используйте автоплатеж!"},
    };
    for (const Refusal& r : refusals) {
        testing_support::RegisterFixture f;
        r.prepare(f);
        const int before = f.form.NextRow;
        f.port.messages.clear();
        EXPECT_FALSE(f.pay(r.date, r.amount, r.kind)) << r.what;
        EXPECT_EQ(f.port.messages.size(), r.shown) << r.what;
        for (const auto& message : f.port.messages)
            EXPECT_EQ(message.caption + ": " + message.text, r.message) << r.what;
        EXPECT_FALSE(f.form.StringGrid1.rowHasText(before)) << r.what;
    }

    testing_support::RegisterFixture f;
    f.form.RadioButton3.Checked = false;
    f.form.Button4Click();
    EXPECT_EQ(f.lastMessage(), "Ошибка!!!: Введите тип платежа!!!...");
}

// A first payment refused after its checks had begun must not leave the loan locked with
// "Удалить платеж" offered on an empty register.
TEST_F(Payments, ARefusedFirstPaymentLeavesTheLoanOpenAndNothingToDelete) {
    EXPECT_FALSE(pay({2005, 2, 10}, "12000,01", kPi));
    EXPECT_EQ(lastMessage(),
              "Ошибка!!!: Сумма платежа больше остатка! Лучше используйте автоплатеж!");
    for (const bool enabled : {form.SpinEdit1.Enabled, form.SpinEdit2.Enabled,
                               form.SpinEdit3.Enabled, form.DateTimePicker1.Enabled}) {
        EXPECT_TRUE(enabled);
    }
    EXPECT_FALSE(form.Button6.Enabled);
    EXPECT_TRUE(form.Button4.Enabled);
    EXPECT_EQ(form.NextRow, 1);
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));

    form.SpinEdit1.Text = "15000";  // the loan can still be corrected
    EXPECT_TRUE(pay({2005, 2, 10}, "12000,01", kPi));
    EXPECT_EQ(row(1),
              (Row{"1", "10.02.2005", "15000,00", "12000,01", "152,88", "12152,89", "П+%"}));
    EXPECT_FALSE(form.SpinEdit1.Enabled);
    EXPECT_TRUE(form.Button6.Enabled);
}

TEST(PaymentOverdue, WarnsAfterASkippedMonth) {
    struct Case {
        loan::Date previous;  // {} for a first payment, counted from the loan date 10.11.2005
        loan::Date date;
        bool warns;
    };
    const Case cases[] = {
        {{}, {2006, 1, 31}, false},              // second month after the loan month
        {{}, {2006, 2, 1}, true},                // third month
        {{2005, 12, 20}, {2006, 1, 31}, false},  // next month
        {{2005, 12, 20}, {2006, 2, 1}, true},    // a month skipped
        {{2005, 12, 20}, {2007, 1, 5}, false},   // a change of year counts 12 once
    };
    for (const Case& c : cases) {
        testing_support::RegisterFixture f("12000", "12", "12", {2005, 11, 10});
        if (c.previous.year != 1900) {
            ASSERT_TRUE(f.pay(c.previous, "100", kPi));
        }
        f.port.messages.clear();
        ASSERT_TRUE(f.pay(c.date, "100", kPi));
        EXPECT_EQ(f.port.messages.size(), c.warns ? 1u : 0u) << c.date.month << '.' << c.date.year;
    }
}

TEST_F(Payments, OverdueOptionAddsInterestAtTwiceTheRateForTheDaysOfTheMonth) {
    form.N14Click();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Учет просрочки.");
    EXPECT_EQ(port.messages[0].text,
              "Двойная процентная ставка по просроченному платежу и\rпросроченным процентам.\r"
              "Данная функция пока не до конца отлажена,\rВ случае обнаружения ошибок - пишите "
              "автору.\rВ заголовке письма указывать - Ssudomer!!!");
    port.messages.clear();

    // 95 days at 12 % give 374.79 (the preview); 15 days of April at 24 % add 118.36. The
    // amount covers the preview but not the surcharge, so the balance grows.
    ASSERT_TRUE(pay({2005, 4, 15}, "400", kDeducted));
    ASSERT_EQ(port.messages.size(), 3u);
    EXPECT_EQ(port.messages[1].caption, "Внимание!!!");
    EXPECT_EQ(port.messages[1].text,
              "Просрочка больше месяца,\rОт Вас могут потребовать полного досрочного погашения "
              "кредита!");
    EXPECT_EQ(port.messages[2].caption, "Внимание!!!");
    EXPECT_EQ(row(1),
              (Row{"1", "15.04.2005", "12000,00", "-93,15", "493,15", "400,00", "П+%(вычет)"}));
    EXPECT_EQ(form.Label13, "493,15");
    EXPECT_EQ(form.Label11, "12093,15");

    port.messages.clear();
    form.N14Click();
    EXPECT_FALSE(form.N14.Checked);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(Payments, AutomaticPaymentNearTheEndPaysExactlyTheRestAndDeletingItUndoesThat) {
    enterLoan("1000", "12", "3", {2005, 1, 10});
    for (int month = 2; month <= 4; ++month) ASSERT_TRUE(pay({2005, month, 10}, "0", kAuto));
    EXPECT_EQ(form.Label11, "0,01");
    form.PaymentsModified = false;
    ASSERT_TRUE(pay({2005, 5, 10}, "0", kAuto));
    EXPECT_EQ(form.StringGrid1.cell(3, 4), "0,01");
    EXPECT_EQ(lastMessage(), "Поздравляем!!!: Кредит выплачен!!!!");
    EXPECT_FALSE(form.Button4.Enabled);
    EXPECT_TRUE(form.PaymentsModified);  // still offered for saving

    form.Button6Click();
    EXPECT_TRUE(form.Button4.Enabled);
    EXPECT_EQ(form.Label11, "0,01");
    EXPECT_EQ(form.Balance, 100);
    EXPECT_EQ(form.Label13, "0");
    EXPECT_EQ(form.Label15, "1019,72");  // 343,52 + 339,47 + 336,73
    EXPECT_EQ(form.Label19, "0,00");
    EXPECT_EQ(form.NextRow, 4);
    EXPECT_FALSE(form.StringGrid1.rowHasText(4));
}

TEST_F(Payments, TableGrowsFromTheEighthPaymentAndShrinksOnDeletion) {
    for (int k = 1; k <= 12; ++k) {
        ASSERT_TRUE(pay({2005 + k / 12, k % 12 + 1, 10}, "100", kPi));
        EXPECT_EQ(form.StringGrid1.rowCount(), k < 8 ? 10 : k + 3) << k;
        if (k == 1) {
            EXPECT_FALSE(form.SpinEdit1.Enabled);
            EXPECT_FALSE(form.DateTimePicker1.Enabled);
            EXPECT_TRUE(form.Button5.Enabled);
            EXPECT_TRUE(form.Button6.Enabled);
        }
    }
    form.PaymentsModified = false;
    form.Button6Click();
    EXPECT_EQ(form.NextRow, 12);
    EXPECT_EQ(form.StringGrid1.rowCount(), 13);
    EXPECT_TRUE(form.PaymentsModified);
    EXPECT_EQ(form.Label11, "10900,00");
    EXPECT_EQ(form.Label9, "1000,00");
    EXPECT_EQ(form.Label19, "- 9900,00");
    while (form.NextRow > 10) form.Button6Click();
    form.Button6Click();  // 9 payments, one deleted
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);
}

TEST_F(Payments, DeletingTheOnlyPaymentReturnsToTheStart) {
    ASSERT_TRUE(pay({2005, 2, 10}, "100", kPi));
    form.PaymentsModified = false;
    form.Button6Click();
    EXPECT_EQ(form.NextRow, 1);
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);
    for (int r = 1; r < 10; ++r) EXPECT_FALSE(form.StringGrid1.rowHasText(r));
    for (const std::string* label : {&form.Label9, &form.Label11, &form.Label13, &form.Label15,
                                     &form.Label17, &form.Label19}) {
        EXPECT_EQ(*label, "0");
    }
    EXPECT_FALSE(form.Button5.Enabled);
    EXPECT_FALSE(form.Button6.Enabled);
    EXPECT_TRUE(form.SpinEdit1.Enabled);
    EXPECT_FALSE(form.PaymentsModified);
}

}  // namespace
