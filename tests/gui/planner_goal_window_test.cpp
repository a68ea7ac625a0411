// The planner's goal and budget group in the real planner window: "Подобрать" shows the
// monthly prepayment for the date, "Добавить в план" lists it, and the budget's field and
// mode take part in the next calculation.

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include "gui/planner_window.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

class PlannerGoalWindowTest : public WindowTest {
  protected:
    // 1 000 000 at 12 % for 24 months from 31.01.2024, equal payments, on nominal dates.
    gui::PlannerWindow& openExamplePlanner() {
        typeLoan("1000000", "12", "24");
        find<QDateEdit>("DateTimePicker1")->setDate(QDate(2024, 1, 31));
        click("RadioButtonB");
        item("Planner1")->trigger();
        gui::PlannerWindow* planner = window->plannerWindow();
        EXPECT_NE(planner, nullptr);
        planner->planner().Shift = loan::PaymentShift::None;
        press(*planner, "CalculateButton");
        // The goal and the budget have a tab of their own beside the lists.
        in<QTabWidget>(*planner, "EntryTabs")->setCurrentWidget(in<QWidget>(*planner, "GoalGroup"));
        return *planner;
    }

    static void press(gui::PlannerWindow& planner, const char* button) {
        QTest::mouseClick(in<QAbstractButton>(planner, button), Qt::LeftButton);
    }
    static QString tableCell(gui::PlannerWindow& planner, int column, int row) {
        return in<QTableView>(planner, "PlanTable")->model()->index(row - 1, column).data().toString();
    }
};

TEST_F(PlannerGoalWindowTest, FindShowsTheMonthlyPrepaymentAndAddPutsItIntoThePlan) {
    gui::PlannerWindow& planner = openExamplePlanner();
    auto* add = in<QPushButton>(planner, "AddGoalButton");
    auto* answer = in<QLabel>(planner, "GoalLabel");
    EXPECT_FALSE(add->isEnabled());
    EXPECT_TRUE(answer->isHidden());

    in<QDateEdit>(planner, "TargetDateEdit")->setDate(QDate(2024, 12, 31));
    press(planner, "FindGoalButton");
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_FALSE(answer->isHidden());
    const QStringList lines = answer->text().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "Ежемесячно досрочно к 31.12.2024: 49328,00");
    EXPECT_EQ(lines[1], "Последний платеж: 31.12.2024");
    EXPECT_TRUE(lines[2].startsWith("Экономия на процентах: ")) << lines[2].toStdString();
    ASSERT_TRUE(add->isEnabled());
    // Nothing is in the plan yet.
    EXPECT_EQ(in<QTreeWidget>(planner, "PrepaymentList")->topLevelItemCount(), 0);
    EXPECT_EQ(tableCell(planner, 6, 2), "плановый");

    press(planner, "AddGoalButton");
    auto* list = in<QTreeWidget>(planner, "PrepaymentList");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "29.02.2024");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "49328,00");
    EXPECT_EQ(list->topLevelItem(0)->text(2), "сокращение срока");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "ежемесячно");
    // The plan follows: a prepayment right after the first payment, the last one by the date.
    EXPECT_EQ(tableCell(planner, 6, 2), "досрочный");
    EXPECT_EQ(tableCell(planner, 5, 2), "49328,00");
    EXPECT_FALSE(add->isEnabled());
    EXPECT_TRUE(answer->text().endsWith("Добавлено в план."));
    EXPECT_TRUE(modals.seen.empty());
}

TEST_F(PlannerGoalWindowTest, ADateBeforeTheFirstPaymentIsToldAndAMetOneNeedsNothing) {
    gui::PlannerWindow& planner = openExamplePlanner();
    in<QDateEdit>(planner, "TargetDateEdit")->setDate(QDate(2024, 2, 10));
    press(planner, "FindGoalButton");
    QTRY_COMPARE(modals.seen.size(), std::size_t{1});
    EXPECT_TRUE(modals.seen[0].text.contains("раньше первого планового платежа (29.02.2024)"));
    EXPECT_TRUE(in<QLabel>(planner, "GoalLabel")->isHidden());
    EXPECT_FALSE(in<QPushButton>(planner, "AddGoalButton")->isEnabled());

    in<QDateEdit>(planner, "TargetDateEdit")->setDate(QDate(2027, 1, 1));
    press(planner, "FindGoalButton");
    const QString text = in<QLabel>(planner, "GoalLabel")->text();
    EXPECT_EQ(text,
              "Ежемесячно досрочно к 01.01.2027: 0,00\nНе нужно: кредит и так погашается к этой "
              "дате,\nпоследний платеж 31.01.2026.");
    EXPECT_FALSE(in<QPushButton>(planner, "AddGoalButton")->isEnabled());
}

TEST_F(PlannerGoalWindowTest, TheBudgetAndItsModeTakePartWhenThePlanIsComputed) {
    gui::PlannerWindow& planner = openExamplePlanner();
    EXPECT_TRUE(in<QRadioButton>(planner, "BudgetLowerPaymentRadio")->isChecked());
    auto* budget = in<QLineEdit>(planner, "BudgetEdit");
    budget->setFocus();
    budget->selectAll();
    QTest::keyClicks(budget, "60000");
    press(planner, "BudgetShortenTermRadio");
    EXPECT_EQ(planner.planner().BudgetMode, loan::PrepaymentMode::ShortenTerm);
    press(planner, "CalculateButton");
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(tableCell(planner, 6, 2), "досрочный");
    EXPECT_EQ(tableCell(planner, 5, 2), "12926,53");
    // Under "term" the regular payment stays: the budget's part stays as it was.
    EXPECT_EQ(tableCell(planner, 5, 3), "47073,47");
    EXPECT_TRUE(in<QRadioButton>(planner, "BudgetShortenTermRadio")->isChecked());
}

}  // namespace
