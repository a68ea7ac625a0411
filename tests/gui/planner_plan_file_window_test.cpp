// The planner's plan file through the real windows: "Сохранить план как...", the caption,
// "Открыть план...", the save question when the planner or the program closes, and
// `ssudomer FILE.crplan`.

#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "gui/planner_window.h"
#include "support/temp_folder.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

constexpr const char* kPlanText =
    "ssudomer-plan 1\nsum = 1000000.00\nrate = 12\nterm = 24\ndate = 31.01.2024\n"
    "scheme = equal\nshift = none\nprepay = 31.03.2024 500000.00 payment\n";

class PlannerPlanFileWindowTest : public WindowTest {
  protected:
    gui::PlannerWindow& openPlanner() {
        retype("SpinEdit1", "1000000");
        retype("SpinEdit2", "12");
        retype("SpinEdit3", "24");
        find<QDateEdit>("DateTimePicker1")->setDate(QDate(2024, 1, 31));
        click("RadioButtonB");
        item("Planner1")->trigger();
        return *window->plannerWindow();
    }

    static void press(gui::PlannerWindow& planner, const char* button) {
        auto* widget = planner.findChild<QAbstractButton*>(QString::fromLatin1(button));
        ASSERT_NE(widget, nullptr) << button;
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    // The next file dialog takes `path`.
    void chooseFile(const QString& path, const char* title) {
        modals.replies.push_back([path, title](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            ASSERT_NE(dialog, nullptr) << widget->windowTitle().toStdString();
            EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(title));
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
    }

    static int listed(gui::PlannerWindow& planner) {
        return planner.findChild<QTreeWidget*>("PrepaymentList")->topLevelItemCount();
    }

    QTemporaryDir folder;
};

TEST_F(PlannerPlanFileWindowTest, SaveAsNamesTheCaptionAndOpenShowsTheFilesPlan) {
    gui::PlannerWindow& planner = openPlanner();
    planner.planner().Shift = loan::PaymentShift::None;
    const QString path = folder.filePath("mine");
    chooseFile(path, "Сохранить план");
    press(planner, "SavePlanAsButton");
    EXPECT_EQ(planner.windowTitle(), "Досрочное погашение - mine.crplan");
    EXPECT_EQ(testing_support::ReadBytes((path + ".crplan").toStdString()).substr(0, 33),
              "ssudomer-plan 1\nsum = 1000000.00\n");

    const QString other = folder.filePath("other.crplan");
    testing_support::WriteBytes(other.toStdString(), kPlanText);
    chooseFile(other, "Открыть план");
    press(planner, "OpenPlanButton");
    EXPECT_EQ(planner.windowTitle(), "Досрочное погашение - other.crplan");
    EXPECT_EQ(listed(planner), 1);
    EXPECT_EQ(planner.findChild<QLineEdit*>("SumEdit")->text(), "1000000,00");
    EXPECT_TRUE(planner.planner().HasPlan());
}

TEST_F(PlannerPlanFileWindowTest, ClosingWithChangesAsksCancelKeepsNoDiscards) {
    gui::PlannerWindow& planner = openPlanner();
    const QString path = folder.filePath("plan.crplan");
    testing_support::WriteBytes(path.toStdString(), kPlanText);
    ASSERT_TRUE(planner.OpenPlanFile(path.toStdString()));
    planner.planner().RemovePrepayment(0);
    planner.refresh();

    modals.press(QMessageBox::Cancel);
    planner.close();
    EXPECT_TRUE(planner.isVisible());
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Сохранить изменения?");
    EXPECT_EQ(listed(planner), 0);

    // The program's end asks too; "Отмена" keeps both windows.
    modals.press(QMessageBox::Cancel);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(modals.seen.size(), 2u);

    modals.press(QMessageBox::No);
    planner.close();
    EXPECT_FALSE(planner.isVisible());
    EXPECT_EQ(listed(planner), 1);  // back to the file's plan
    EXPECT_EQ(testing_support::ReadBytes(path.toStdString()), kPlanText);

    // Nothing changed since: no question.
    item("Planner1")->trigger();
    EXPECT_EQ(planner.windowTitle(), "Досрочное погашение - plan.crplan");
    planner.close();
    EXPECT_EQ(modals.seen.size(), 3u);
}

TEST_F(PlannerPlanFileWindowTest, APlanFileGivenToTheProgramOpensThePlanner) {
    const QString path = folder.filePath("given.CRPLAN");
    testing_support::WriteBytes(path.toStdString(), kPlanText);
    gui::MainWindow started({path.toStdString()}, loan::Locale::withSeparator(','));
    started.form().ProgramPath = folder.filePath("ssudomer").toStdString();
    started.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&started));
    ASSERT_NE(started.plannerWindow(), nullptr);
    EXPECT_TRUE(started.plannerWindow()->isVisible());
    EXPECT_EQ(started.plannerWindow()->windowTitle(), "Досрочное погашение - given.CRPLAN");
    EXPECT_EQ(started.plannerWindow()->planner().Prepayments().size(), 1u);
}

}  // namespace
