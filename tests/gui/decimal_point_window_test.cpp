// "." and "," in the number fields as people type and paste them: either is the decimal
// separator, and the field shows the locale's.

#include <QClipboard>
#include <QDateEdit>

#include "spin_edit_fixture.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

TEST(DecimalPointField, TypedPointsAndCommasShowTheLocalesSeparator) {
    for (const char separator : {',', '.'}) {
        gui_testing::SpinEditFields fields(separator);
        const QString shown = separator == ',' ? "33291,50" : "33291.50";
        for (const char* typed : {"33291.50", "33291,50"}) {
            gui_testing::SpinEditFields::retype(fields.decimal, typed);
            EXPECT_EQ(fields.decimal->text(), shown) << typed;
            EXPECT_EQ(fields.decimalModel.Value(), 33291.5) << typed;
        }
        // The point of the numeric keypad.
        gui_testing::SpinEditFields::retype(fields.decimal, "7");
        QTest::keyClick(fields.decimal, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(fields.decimal, "5");
        EXPECT_EQ(fields.decimalModel.Value(), 7.5);
        EXPECT_EQ(fields.decimalBeeps.count(), 0);

        gui_testing::SpinEditFields::retype(fields.whole, "1.5");
        EXPECT_EQ(fields.whole->text(), separator == ',' ? "1,5" : "1.5");
    }
}

TEST(DecimalPointField, PastedAmountsGetTheLocalesSeparator) {
    gui_testing::SpinEditFields fields(',');
    QApplication::clipboard()->setText("33291.50");
    fields.decimal->setFocus();
    fields.decimal->selectAll();
    QTest::keySequence(fields.decimal, QKeySequence::Paste);
    EXPECT_EQ(fields.decimal->text(), "33291,50");
    EXPECT_EQ(fields.decimalModel.Text, "33291,50");

    // Text the program writes is shown as it is.
    fields.decimalModel.Text = "12.5";
    fields.decimal->refresh();
    EXPECT_EQ(fields.decimal->text(), "12.5");
}

// The payment that was once recorded as 3 329 150.
TEST_F(WindowTest, APaymentTypedWithAPointIsRecordedWithItsKopecks) {
    typeLoan("1000000", "12", "120");
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2005, 1, 10));
    click("Button2");
    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 2, 10));
    retype("SpinEdit4", "33291.50");
    EXPECT_EQ(find<QLineEdit>("SpinEdit4")->text(), "33291,50");
    click("RadioButton1");
    click("Button4");
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(cell(3, 1), "33291,50");
}

}  // namespace
