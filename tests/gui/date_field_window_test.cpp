// Dates typed whole into every date field of both windows, key by key as a person types
// them: over a selection or into an emptied field, "ДД.ММ.ГГГГ" or "ДДММГГГГ". Until the date
// is finished nothing is checked; a finished text that is no date is refused and the field
// keeps its date.

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTreeWidget>

#include "gui/planner_window.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

constexpr const char* kNotADate =
    "\" — это не дата. Наберите дату целиком: ДД.ММ.ГГГГ или ДДММГГГГ.";

class DateFieldWindowTest : public WindowTest {
  protected:
    DateFieldWindowTest() {
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Selects the whole field with Ctrl+A and types the keys one by one.
    static void typeOver(QDateEdit* field, const char* keys) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromLatin1(keys));
    }
    // Empties the field (select all, Backspace) and types the keys into it.
    static void typeIntoEmptied(QDateEdit* field, const char* keys) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), "");
        QTest::keyClicks(field, QString::fromLatin1(keys));
    }
    // Types over the field and checks that nothing happened before the date is finished.
    void typeUnfinished(QDateEdit* field, const char* keys) {
        const QDate before = field->date();
        const std::size_t messages = modals.seen.size();
        typeOver(field, keys);
        EXPECT_EQ(field->text(), QString::fromLatin1(keys));
        EXPECT_EQ(field->date(), before) << keys;
        EXPECT_EQ(modals.seen.size(), messages) << keys;
    }
    // Moves the focus elsewhere in the window (active again after any message box).
    static void leave(QDateEdit* field) {
        field->window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(field->window()));
        field->parentWidget()->setFocus();
        EXPECT_NE(field->window()->focusWidget(), field);
    }
    QDateEdit* loanDate() { return find<QDateEdit>("DateTimePicker1"); }
    QDateEdit* paymentDate() { return find<QDateEdit>("DateTimePicker2"); }
};

// Over 09.12.2026, "15.01.2025" once became 09.01.2025 and 15.03.2005 became 09.03.2005.
TEST_F(DateFieldWindowTest, TheLoanDateTakesADateTypedWholeInEitherForm) {
    loanDate()->setDate(QDate(2026, 12, 9));
    typeUnfinished(loanDate(), "15.01.2025");
    QTest::keyClick(loanDate(), Qt::Key_Return);
    EXPECT_EQ(loanDate()->date(), QDate(2025, 1, 15));
    EXPECT_EQ(form().DateTimePicker1.Date, (loan::Date{2025, 1, 15}));

    typeUnfinished(loanDate(), "31032024");
    QTest::keyClick(loanDate(), Qt::Key_Tab);  // finished: Tab leaves the field
    EXPECT_EQ(loanDate()->text(), "31.03.2024");
    EXPECT_NE(window->focusWidget(), loanDate());

    typeIntoEmptied(loanDate(), "1.3.2005");
    leave(loanDate());
    EXPECT_EQ(loanDate()->text(), "01.03.2005");
    EXPECT_TRUE(modals.seen.empty());

    // The schedule starts a month after the typed date.
    typeLoan("12000", "12", "12");
    click("Button1");
    EXPECT_EQ(cell(1, 1), "Апрель 2005");
}

// A menu opened or another window chosen takes a whole date typed, and lets a part-typed one
// wait without a message.
TEST_F(DateFieldWindowTest, AnotherWindowTakesAWholeTypedDateAndLetsAPartOneWait) {
    loanDate()->setDate(QDate(2026, 12, 9));
    typeOver(loanDate(), "15.0");
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(loanDate(), &away);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(loanDate(), &back);
    EXPECT_EQ(loanDate()->text(), "15.0");
    QTest::keyClicks(loanDate(), "3.2005");
    QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(loanDate(), &menu);
    EXPECT_EQ(form().DateTimePicker1.Date, (loan::Date{2005, 3, 15}));
    EXPECT_TRUE(modals.seen.empty());
}

// Section by section, as before: the day, then the month, each moving on when full.
TEST_F(DateFieldWindowTest, SectionBySectionEditingStays) {
    loanDate()->setDate(QDate(2026, 12, 9));
    loanDate()->setFocus();
    loanDate()->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(loanDate(), "1503");
    QTest::keyClick(loanDate(), Qt::Key_Return);
    EXPECT_EQ(loanDate()->date(), QDate(2026, 3, 15));
    EXPECT_EQ(form().DateTimePicker1.Date, (loan::Date{2026, 3, 15}));
}

class PaymentDateWindowTest : public DateFieldWindowTest {
  protected:
    PaymentDateWindowTest() {
        typeLoan("12000", "12", "12");
        loanDate()->setDate(QDate(2005, 1, 10));
        click("Button2");
        paymentDate()->setDate(QDate(2005, 1, 20));
    }
};

// "15.02.2005" once popped "Дата платежа раньше даты получения кредита..." right after
// "15." and lost the rest of the keys.
TEST_F(PaymentDateWindowTest, ATypedDateIsPreviewedWhenFinishedAndItsPaymentRecorded) {
    const QString interestBefore = text("Label13");
    typeUnfinished(paymentDate(), "15.02.2005");
    EXPECT_EQ(text("Label13"), interestBefore);
    QTest::keyClick(paymentDate(), Qt::Key_Return);
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(paymentDate()->date(), QDate(2005, 2, 15));
    EXPECT_EQ(text("Label13"), "142,03");  // 36 days of 12 % on 12 000

    retype("SpinEdit4", "1000");
    click("RadioButton1");
    click("Button4");
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(cell(1, 1), "15.02.2005");
    EXPECT_EQ(cell(4, 1), "142,03");

    // The next one typed as eight digits into the emptied field, finished by leaving it.
    typeIntoEmptied(paymentDate(), "15032005");
    leave(paymentDate());
    EXPECT_EQ(paymentDate()->date(), QDate(2005, 3, 15));
    EXPECT_EQ(text("Label13"), "101,26");  // 28 days on 11 000
    EXPECT_TRUE(modals.seen.empty());
}

TEST_F(PaymentDateWindowTest, AFinishedDateBeforeTheLoanIsRefusedOnceByThePreview) {
    typeUnfinished(paymentDate(), "05.01.2005");
    QTest::keyClick(paymentDate(), Qt::Key_Return);
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].text, "Дата платежа раньше даты получения кредита...");
}

// A date that does not exist, or text that is no whole date, is refused by Enter, Tab or
// leaving the field: the field keeps its date and the interest preview stays.
TEST_F(PaymentDateWindowTest, ATextThatIsNoDateIsRefusedAndTheFieldKeepsItsDate) {
    const QString interest = text("Label13");
    typeUnfinished(paymentDate(), "31.02.2005");
    QTest::keyClick(paymentDate(), Qt::Key_Return);
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Ошибка!!!");
    EXPECT_EQ(modals.seen[0].text, "\"31.02.2005\" — такой даты нет.");
    EXPECT_EQ(paymentDate()->text(), "20.01.2005");
    EXPECT_EQ(form().DateTimePicker2.Date, (loan::Date{2005, 1, 20}));
    EXPECT_EQ(text("Label13"), interest);

    typeOver(paymentDate(), "15.0");
    QTest::keyClick(paymentDate(), Qt::Key_Tab);
    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_EQ(modals.seen[1].text, QString("\"15.0") + kNotADate);
    EXPECT_EQ(window->focusWidget(), paymentDate());  // refused: the field keeps the focus

    typeOver(paymentDate(), "150205");  // a two-digit year is no whole date
    leave(paymentDate());
    ASSERT_EQ(modals.seen.size(), 3u);
    EXPECT_EQ(modals.seen[2].text, QString("\"150205") + kNotADate);
    EXPECT_EQ(paymentDate()->date(), QDate(2005, 1, 20));

    // Letters are not taken; Escape gives the date back.
    typeOver(paymentDate(), "15");
    QTest::keyClicks(paymentDate(), "ab/");
    EXPECT_EQ(paymentDate()->text(), "15");
    QTest::keyClick(paymentDate(), Qt::Key_Escape);
    EXPECT_EQ(paymentDate()->text(), "20.01.2005");
    EXPECT_EQ(modals.seen.size(), 3u);
    EXPECT_EQ(text("Label13"), interest);
}

// The calendar opens on the typed date, finished by the click.
TEST_F(PaymentDateWindowTest, TheCalendarButtonFinishesTheTypedDate) {
    typeUnfinished(paymentDate(), "15.03.2005");
    QTest::mouseClick(paymentDate(), Qt::LeftButton, {},
                      QPoint(paymentDate()->width() - 4, paymentDate()->height() / 2));
    EXPECT_EQ(paymentDate()->date(), QDate(2005, 3, 15));
    QCalendarWidget* calendar = paymentDate()->calendarWidget();
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2005, 3, 15));
    calendar->window()->hide();
}

class PlannerDateWindowTest : public DateFieldWindowTest {
  protected:
    gui::PlannerWindow& openPlanner() {
        typeLoan("1000000", "12", "24");
        loanDate()->setDate(QDate(2024, 2, 29));
        item("Planner1")->trigger();
        gui::PlannerWindow* planner = window->plannerWindow();
        EXPECT_NE(planner, nullptr);
        planner->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(planner));
        return *planner;
    }
    static QString firstListed(gui::PlannerWindow& planner, const char* list) {
        const QTreeWidgetItem* row = in<QTreeWidget>(planner, list)->topLevelItem(0);
        return row ? row->text(0) : QString();
    }
};

// Over 29.02.2024, "31032024" once gave 03.10.3202.
TEST_F(PlannerDateWindowTest, EveryPlannerDateTakesADateTypedWhole) {
    gui::PlannerWindow& planner = openPlanner();
    auto* loanField = in<QDateEdit>(planner, "LoanDateEdit");
    ASSERT_EQ(loanField->date(), QDate(2024, 2, 29));
    typeUnfinished(loanField, "31032024");
    QTest::keyClick(loanField, Qt::Key_Return);
    EXPECT_EQ(loanField->date(), QDate(2024, 3, 31));
    EXPECT_EQ(planner.planner().LoanDate.Date, (loan::Date{2024, 3, 31}));

    auto* prepaymentField = in<QDateEdit>(planner, "PrepaymentDateEdit");
    typeUnfinished(prepaymentField, "30.02.2025");
    QTest::keyClick(prepaymentField, Qt::Key_Return);
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].text, "\"30.02.2025\" — такой даты нет.");
    typeIntoEmptied(prepaymentField, "15.05.2024");
    QTest::keyClick(prepaymentField, Qt::Key_Tab);
    EXPECT_EQ(planner.planner().PrepaymentDate.Date, (loan::Date{2024, 5, 15}));

    auto* rateChangeField = in<QDateEdit>(planner, "RateChangeDateEdit");
    typeUnfinished(rateChangeField, "01072024");
    QTest::keyClick(rateChangeField, Qt::Key_Return);
    EXPECT_EQ(planner.planner().RateChangeDate.Date, (loan::Date{2024, 7, 1}));

    auto* amount = in<QLineEdit>(planner, "PrepaymentAmountEdit");
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "100000");
    QTest::mouseClick(in<QAbstractButton>(planner, "AddPrepaymentButton"), Qt::LeftButton);
    EXPECT_EQ(firstListed(planner, "PrepaymentList"), "15.05.2024");
    auto* rate = in<QLineEdit>(planner, "RateChangeRateEdit");
    rate->setFocus();
    rate->selectAll();
    QTest::keyClicks(rate, "9");
    QTest::mouseClick(in<QAbstractButton>(planner, "AddRateChangeButton"), Qt::LeftButton);
    EXPECT_EQ(firstListed(planner, "RateChangeList"), "01.07.2024");
    EXPECT_EQ(modals.seen.size(), 1u);
}

}  // namespace
