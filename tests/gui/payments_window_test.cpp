// Payments entered, deleted and forecast through the real window.

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/schedule_grid.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

class PaymentWindowTest : public WindowTest {
  protected:
    PaymentWindowTest() {
        typeLoan("12000", "12", "12");
        find<QDateEdit>("DateTimePicker1")->setDate(QDate(2005, 1, 10));
        click("Button2");
    }

    // Picks the date, types the amount, checks the kind and presses "Внести платеж".
    void pay(QDate date, const char* amount, const char* kindButton) {
        find<QDateEdit>("DateTimePicker2")->setDate(date);
        auto* field = find<QLineEdit>("SpinEdit4");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, amount);
        click(kindButton);
        click("Button4");
    }

    bool enabled(const char* name) { return find<QWidget>(name)->isEnabled(); }
};

TEST_F(PaymentWindowTest, PaymentsFillRowsLockTheLoanAndGreyTheRest) {
    EXPECT_TRUE(find<QWidget>("GroupBox2")->isVisible());
    EXPECT_FALSE(enabled("Button6"));

    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 2, 10));
    EXPECT_EQ(text("Label13"), "122,30");  // the interest preview follows the date

    pay(QDate(2005, 2, 10), "1500", "RadioButton1");
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(cell(1, 1), "10.02.2005");
    EXPECT_EQ(cell(3, 1), "1500,00");
    EXPECT_EQ(cell(6, 1), "П+%");
    EXPECT_TRUE(enabled("Button6"));
    EXPECT_TRUE(enabled("Button5"));
    for (const char* input : {"SpinEdit1", "SpinEdit2", "SpinEdit3", "DateTimePicker1"}) {
        EXPECT_FALSE(enabled(input)) << input;
    }

    pay(QDate(2005, 3, 10), "", "RadioButton4");
    EXPECT_EQ(cell(3, 2), "500,00");  // the advance of 500 is taken off the standard part
    EXPECT_EQ(cell(6, 2), "АП");
    EXPECT_EQ(text("Label19"), "0,00");
    EXPECT_EQ(form().NextRow, 3);
    EXPECT_EQ(window->grid()->currentIndex().row() + 1, 2);  // the new payment is current

    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(gui::CellTextColor(form(), row, false), QColor(Qt::black)) << row;
    }
    for (int row = 3; row < form().StringGrid1.rowCount(); ++row) {
        EXPECT_EQ(gui::CellTextColor(form(), row, false), gui::kGrayTextColor) << row;
    }
}

TEST_F(PaymentWindowTest, YesThenEscapeInTheSaveDialogKeepsThePayments) {
    pay(QDate(2005, 2, 10), "1500", "RadioButton1");
    pay(QDate(2005, 3, 10), "", "RadioButton4");
    modals.press(QMessageBox::Yes);  // the save dialog that follows is rejected
    click("Button5");
    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_EQ(modals.seen[0].title, "Сохранить изменения?");
    EXPECT_EQ(modals.seen[1].title, "Сохранение платежей");
    EXPECT_EQ(cell(6, 1), "П+%");
    EXPECT_EQ(cell(6, 2), "АП");
    EXPECT_EQ(form().NextRow, 3);
    EXPECT_TRUE(form().PaymentsModified);
    EXPECT_TRUE(enabled("Button6"));
}

TEST_F(PaymentWindowTest, DeletingEnablesAndDisablesTheButtons) {
    pay(QDate(2005, 2, 10), "1500", "RadioButton1");
    pay(QDate(2005, 3, 10), "", "RadioButton4");

    click("Button6");
    EXPECT_EQ(form().NextRow, 2);
    EXPECT_EQ(cell(0, 2), "");
    EXPECT_TRUE(enabled("Button6"));
    EXPECT_EQ(text("Label11"), "10500,00");

    click("Button6");
    EXPECT_EQ(form().NextRow, 1);
    EXPECT_FALSE(enabled("Button6"));
    EXPECT_FALSE(enabled("Button5"));
    EXPECT_TRUE(enabled("SpinEdit1"));
    for (const char* label : {"Label9", "Label11", "Label13", "Label15", "Label17", "Label19"}) {
        EXPECT_EQ(text(label), "0") << label;
    }
}

TEST_F(PaymentWindowTest, TheForecastUsesTheMethodChosenInItsDialog) {
    pay(QDate(2005, 2, 10), "1500", "RadioButton1");
    modals.replies.push_back([](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QRadioButton*>("RadioButton3"), Qt::LeftButton);
        auto* amount = dialog->findChild<QLineEdit*>("FloatSpinEdit1");
        amount->setFocus();
        amount->selectAll();
        QTest::keyClicks(amount, "5000");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    item("N12")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(form().Form3.FloatSpinEdit1.Text, "5000");
    // Balance 10500 at 1 % a month: 5000 in all, of which 105 is interest.
    EXPECT_EQ(cell(1, 2), "Март 2005");
    EXPECT_EQ(cell(2, 2), "10500,00");
    EXPECT_EQ(cell(3, 2), "4895,00");
    EXPECT_EQ(cell(5, 2), "5000,00");
    EXPECT_EQ(cell(0, 5), "Всего:");
    EXPECT_EQ(gui::CellTextColor(form(), 2, false), gui::kGrayTextColor);
}

}  // namespace
