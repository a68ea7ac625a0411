// The production calendar dialog: days turned over by the mouse and the keyboard, the year's
// marks and counts, the save that fails and keeps the dialog, and the planner moving its
// payments by the calendar saved from the menu "Настройки".

#include <QAccessible>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>

#include "app/calendar_changes_file.h"
#include "gui/calendar_dialog.h"
#include "gui/planner_window.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"
#include "window_fixture.h"

namespace {

using gui::CalendarDialog;
using gui::MonthTable;
using loan::CalendarChange;

// Where the dialog looks: a folder of the test's own.
struct OwnConfig {
    std::string file() const { return config / "ssudomer/calendar.txt"; }

    testing_support::TempFolder config;
    testing_support::ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.path()};
};

template <class Widget>
Widget* in(QWidget& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void showYear(CalendarDialog& dialog, int year) {
    in<QSpinBox>(dialog, "YearSpin")->setValue(year);
}

void clickDay(CalendarDialog& dialog, int month, int day) {
    MonthTable* table = dialog.monthTable(month);
    const QModelIndex cell = table->indexOfDay(day);
    ASSERT_TRUE(cell.isValid()) << month << "/" << day;
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
}

QString text(CalendarDialog& dialog, const char* label) {
    return in<QLabel>(dialog, label)->text();
}

struct DayLook {
    bool red;
    bool bold;
    bool framed;
    QString spoken;
};

DayLook look(CalendarDialog& dialog, int month, int day) {
    const QModelIndex cell = dialog.monthTable(month)->indexOfDay(day);
    return {cell.data(Qt::ForegroundRole).value<QBrush>().color() == QColor(0xc0, 0, 0),
            cell.data(Qt::FontRole).value<QFont>().bold(), cell.data(Qt::UserRole + 1).toBool(),
            cell.data(Qt::AccessibleTextRole).toString()};
}

class CalendarDialogTest : public testing::Test, public OwnConfig {
  protected:
    CalendarDialogTest() {
        EXPECT_TRUE(dialog.load());
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        showYear(dialog, 2024);
    }

    testing_support::FakePort port;
    CalendarDialog dialog{port};
};

TEST_F(CalendarDialogTest, ClickingADayMarksItAndSavingWritesTheFile) {
    EXPECT_EQ(dialog.windowTitle(), "Производственный календарь");
    EXPECT_EQ(text(dialog, "CalendarStatus"), "Календарь на 2024 год утвержден.");
    EXPECT_EQ(text(dialog, "WorkingDays"), "Рабочих дней в 2024 году: 248");
    // March 2024 starts on a Friday; Sunday the 31st is red and bold, Friday the 29th not.
    EXPECT_EQ(dialog.monthTable(3)->indexOfDay(1).column(), 4);
    EXPECT_TRUE(look(dialog, 3, 31).red && look(dialog, 3, 31).bold);
    EXPECT_FALSE(look(dialog, 3, 29).red || look(dialog, 3, 29).bold);
    EXPECT_FALSE(in<QPushButton>(dialog, "ResetYearButton")->isEnabled());

    clickDay(dialog, 3, 29);
    const DayLook changed = look(dialog, 3, 29);
    EXPECT_TRUE(changed.red && changed.bold && changed.framed);
    EXPECT_EQ(changed.spoken, "29 марта 2024, нерабочий день, изменен вами");
    EXPECT_EQ(text(dialog, "WorkingDays"), "Рабочих дней в 2024 году: 247");
    EXPECT_TRUE(in<QPushButton>(dialog, "ResetYearButton")->isEnabled());
    // Nothing is written before "Сохранить".
    EXPECT_FALSE(std::filesystem::exists(file()));

    QTest::mouseClick(in<QPushButton>(dialog, "SaveButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(app::ReadCalendarChangesFile(file()),
              (std::vector<CalendarChange>{{{2024, 3, 29}, false}}));
}

TEST_F(CalendarDialogTest, TheKeyboardTurnsTheFocusedDayOverAndBack) {
    MonthTable* may = dialog.monthTable(5);
    may->setFocus();
    may->setCurrentIndex(may->indexOfDay(4));  // Saturday 4 May 2024
    QTest::keyClick(may, Qt::Key_Space);
    EXPECT_FALSE(look(dialog, 5, 4).red);
    EXPECT_TRUE(look(dialog, 5, 4).framed);
    EXPECT_EQ(text(dialog, "WorkingDays"), "Рабочих дней в 2024 году: 249");

    // Right arrow, then Enter: Sunday the 5th worked too; Enter does not close the dialog.
    QTest::keyClick(may, Qt::Key_Right);
    QTest::keyClick(may, Qt::Key_Return);
    EXPECT_TRUE(look(dialog, 5, 5).framed);
    EXPECT_TRUE(dialog.isVisible());

    // Turned back, a day is as the calendar has it: no frame, no change left.
    QTest::keyClick(may, Qt::Key_Enter);
    QTest::keyClick(may, Qt::Key_Left);
    QTest::keyClick(may, Qt::Key_Space);
    EXPECT_FALSE(look(dialog, 5, 4).framed);
    EXPECT_TRUE(look(dialog, 5, 4).red);
    EXPECT_TRUE(dialog.form().Changes().empty());
    EXPECT_FALSE(in<QPushButton>(dialog, "ResetYearButton")->isEnabled());
    EXPECT_EQ(text(dialog, "WorkingDays"), "Рабочих дней в 2024 году: 248");

    // The cells before the 1st take no focus: Left from the 1st stays there.
    may->setCurrentIndex(may->indexOfDay(1));  // a Wednesday
    QTest::keyClick(may, Qt::Key_Left);
    EXPECT_EQ(may->currentIndex(), may->indexOfDay(1));
}

TEST_F(CalendarDialogTest, AFailedSaveKeepsTheDialogAndItsChangesAndSaysWhy) {
    clickDay(dialog, 6, 11);
    // A folder where the file should be: the save is refused.
    std::filesystem::create_directories(file());
    QTest::mouseClick(in<QPushButton>(dialog, "SaveButton"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Производственный календарь");
    EXPECT_NE(port.messages[0].text.find("не сохранены"), std::string::npos);
    EXPECT_NE(port.messages[0].text.find("calendar.txt"), std::string::npos);
    EXPECT_TRUE(look(dialog, 6, 11).framed);

    // The way cleared, the same changes are saved.
    std::filesystem::remove(file());
    QTest::mouseClick(in<QPushButton>(dialog, "SaveButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(app::ReadCalendarChangesFile(file()),
              (std::vector<CalendarChange>{{{2024, 6, 11}, false}}));
}

TEST_F(CalendarDialogTest, AYearWithoutAnApprovedCalendarSaysSoAndTheArrowsMoveTheYear) {
    const int unapproved = loan::ProductionCalendar::LastApprovedYear() + 1;
    showYear(dialog, unapproved - 1);
    QTest::mouseClick(in<QAbstractButton>(dialog, "NextYearButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.form().Year(), unapproved);
    EXPECT_EQ(text(dialog, "CalendarStatus"),
              QString("Календарь на %1 год не утвержден: выходные по Трудовому кодексу.")
                  .arg(unapproved));
    EXPECT_EQ(dialog.monthTable(1)->accessibleName(), QString("Январь %1").arg(unapproved));
    QTest::mouseClick(in<QAbstractButton>(dialog, "PreviousYearButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.form().Year(), unapproved - 1);
}

// Through the main window's menu, with the planner open.
class CalendarMenuTest : public gui_testing::WindowTest, public OwnConfig {
  protected:
    // The next opening of the dialog: `act` on it, then "Сохранить" or "Отмена".
    void replyToDialog(std::function<void(CalendarDialog&)> act, const char* button) {
        modals.replies.push_back([act, button](QWidget* widget) {
            auto* dialog = qobject_cast<CalendarDialog*>(widget);
            ASSERT_NE(dialog, nullptr) << widget->windowTitle().toStdString();
            act(*dialog);
            QTest::mouseClick(in<QPushButton>(*dialog, button), Qt::LeftButton);
        });
    }

    QString firstPaymentDate() {
        auto* table = in<QTableView>(*window->plannerWindow(), "PlanTable");
        return table->model()->index(0, 1).data().toString();
    }
};

TEST_F(CalendarMenuTest, ThePlannerMovesItsPaymentsByTheSavedCalendar) {
    typeLoan("1000000", "12", "24");
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2024, 1, 31));
    item("Planner1")->trigger();
    ASSERT_NE(window->plannerWindow(), nullptr);
    ASSERT_EQ(firstPaymentDate(), "29.02.2024");  // a Thursday

    // Cancelled, the day turned off changes nothing.
    replyToDialog(
        [](CalendarDialog& dialog) {
            showYear(dialog, 2024);
            clickDay(dialog, 2, 29);
        },
        "CancelButton");
    item("ProductionCalendar1")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Производственный календарь");
    EXPECT_FALSE(std::filesystem::exists(file()));
    EXPECT_EQ(firstPaymentDate(), "29.02.2024");

    // Saved, the payment goes to the next working day, Friday 1 March.
    replyToDialog(
        [](CalendarDialog& dialog) {
            showYear(dialog, 2024);
            clickDay(dialog, 2, 29);
        },
        "SaveButton");
    item("ProductionCalendar1")->trigger();
    EXPECT_EQ(modals.seen.size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(file()));
    EXPECT_EQ(firstPaymentDate(), "01.03.2024*");  // marked as moved

    // The dialog opens with the saved change: turned back and saved, the date returns.
    replyToDialog(
        [](CalendarDialog& dialog) {
            showYear(dialog, 2024);
            EXPECT_TRUE(look(dialog, 2, 29).framed);
            clickDay(dialog, 2, 29);
        },
        "SaveButton");
    item("ProductionCalendar1")->trigger();
    EXPECT_EQ(firstPaymentDate(), "29.02.2024");
}

}  // namespace
