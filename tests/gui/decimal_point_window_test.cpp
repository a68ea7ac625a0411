// "." and "," in the number fields as people type and paste them: either is the decimal
// separator, and the field shows the locale's.

#include <QApplication>
#include <QClipboard>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

#include "gui/spin_edit.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

// One decimal and one whole-number field under the given separator.
class SeparatorFields {
  public:
    explicit SeparatorFields(char separator)
        : locale(loan::Locale::withSeparator(separator)),
          decimalModel(locale),
          wholeModel(locale),
          decimal(new gui::TFloatSpinEdit(decimalModel, &host)),
          whole(new gui::TSpinEdit(wholeModel, &host)),
          beeps(decimal, &gui::SpinEditBase::beeped) {
        auto* layout = new QVBoxLayout(&host);
        layout->addWidget(decimal);
        layout->addWidget(whole);
        host.show();
        QApplication::setActiveWindow(&host);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
    }

    static void clear(QLineEdit* field) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
    }

    loan::Locale locale;
    widgets::FloatSpinEditModel decimalModel;
    widgets::SpinEditModel wholeModel;
    QWidget host;
    gui::TFloatSpinEdit* decimal;
    gui::TSpinEdit* whole;
    QSignalSpy beeps;
};

TEST(DecimalPointField, TypedPointsAndCommasShowTheLocalesSeparator) {
    for (const char separator : {',', '.'}) {
        SeparatorFields fields(separator);
        const QString shown = separator == ',' ? "33291,50" : "33291.50";
        for (const char* typed : {"33291.50", "33291,50"}) {
            SeparatorFields::clear(fields.decimal);
            QTest::keyClicks(fields.decimal, typed);
            EXPECT_EQ(fields.decimal->text(), shown) << typed;
            EXPECT_EQ(fields.decimalModel.Value(), 33291.5) << typed;
        }
        // The point of the numeric keypad.
        SeparatorFields::clear(fields.decimal);
        QTest::keyClicks(fields.decimal, "7");
        QTest::keyClick(fields.decimal, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClicks(fields.decimal, "5");
        EXPECT_EQ(fields.decimalModel.Value(), 7.5);
        EXPECT_EQ(fields.beeps.count(), 0);

        SeparatorFields::clear(fields.whole);
        QTest::keyClicks(fields.whole, "1.5");
        EXPECT_EQ(fields.whole->text(), separator == ',' ? "1,5" : "1.5");
    }
}

TEST(DecimalPointField, PastedAmountsGetTheLocalesSeparator) {
    SeparatorFields fields(',');
    QApplication::clipboard()->setText("33291.50");
    SeparatorFields::clear(fields.decimal);
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
    auto* amount = find<QLineEdit>("SpinEdit4");
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "33291.50");
    EXPECT_EQ(amount->text(), "33291,50");
    click("RadioButton1");
    click("Button4");
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(cell(3, 1), "33291,50");
}

}  // namespace
