#pragma once

// The planner's goal and budget ("Цель и бюджет"), a group of the planner window beside its
// prepayments: "Платить в месяц всего" with the mode of the budget's prepayments, and
// "Погасить к" with "Подобрать", which shows the monthly prepayment that repays the loan by
// that date and what it saves, and "Добавить в план", which lists it as a prepayment. Every
// action runs through the window's handler, which draws the window again.

#include <functional>

#include <QGroupBox>

#include "app/planner_form.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace gui {

class DateField;
class TFloatSpinEdit;

class PlannerGoalPanel : public QGroupBox {
    Q_OBJECT

  public:
    // `run` runs a handler of the model and draws the window again.
    using Run = std::function<bool(const std::function<void()>&)>;
    PlannerGoalPanel(app::PlannerForm& planner, Run run);

    // Draws the fields and the goal from the model.
    void refresh();

  private:
    app::PlannerForm& planner_;
    Run run_;
    TFloatSpinEdit* budget_ = nullptr;
    QRadioButton* budgetShortenTerm_ = nullptr;
    QRadioButton* budgetLowerPayment_ = nullptr;
    DateField* targetDate_ = nullptr;
    QLabel* answer_ = nullptr;
    QPushButton* addGoal_ = nullptr;
};

}  // namespace gui
