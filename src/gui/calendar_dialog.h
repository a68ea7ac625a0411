#pragma once

// "Производственный календарь" (menu "Настройки" and the planner): a year of the production
// calendar as twelve month tables. Non-working days are red and bold, the days the user
// changed are framed. A click, or Space or Enter on the day with the focus, turns a day
// working or non-working; "Сохранить" writes the user's calendar file.

#include <array>

#include <QDialog>
#include <QTableWidget>

#include "app/calendar_form.h"
#include "app/form_port.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace gui {

// Shows the dialog modally over `parent`, its messages through `messages`. True when the
// person saved the calendar (the planner must then read it again); false when the dialog
// was cancelled or the user's file could not be read (said in a message).
bool EditProductionCalendar(QWidget* parent, app::FormPort& messages);

// One month: seven columns from Monday, a row per week; the cells outside the month are
// empty and take no focus.
class MonthTable : public QTableWidget {
    Q_OBJECT

  public:
    explicit MonthTable(int month, QWidget* parent = nullptr);

    int month() const { return month_; }
    // The cell of a day of the month shown, invalid for a day it does not have.
    QModelIndex indexOfDay(int day) const;

  signals:
    // A day was clicked, or Space or Enter was pressed on it.
    void dayChosen(int day);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int month_;
};

class CalendarDialog : public QDialog {
    Q_OBJECT

  public:
    CalendarDialog(app::FormPort& messages, QWidget* parent = nullptr);

    app::CalendarForm& form() { return form_; }
    MonthTable* monthTable(int month) const { return months_[static_cast<std::size_t>(month - 1)]; }

    // Reads the user's file; false (the reason shown) when it cannot be read.
    bool load();
    // Draws the year, its marks and its counts from the form.
    void refresh();

  private:
    QLayout* buildYearRow();
    QLayout* buildLegend();
    QLayout* buildButtons();
    void showMonth(MonthTable& table);
    void chooseDay(int month, int day);
    void save();

    app::CalendarForm form_;
    QSpinBox* year_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* workingDays_ = nullptr;
    std::array<QLabel*, 12> titles_{};
    std::array<MonthTable*, 12> months_{};
    QPushButton* resetYear_ = nullptr;
};

}  // namespace gui
