#include "gui/planner_goal_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "gui/control_binding.h"
#include "gui/date_field.h"
#include "gui/fonts.h"
#include "gui/spin_edit.h"
#include "gui/widget_factories.h"

namespace gui {

PlannerGoalPanel::PlannerGoalPanel(app::PlannerForm& planner, Run run)
    : planner_(planner), run_(std::move(run)) {
    setObjectName("GoalGroup");
    setTitle(QString::fromUtf8("Цель и бюджет"));
    setFont(GroupFont());
    auto* grid = new QGridLayout(this);

    budget_ = MakeSpin<TFloatSpinEdit>("BudgetEdit", planner_.Budget);
    budget_->setFixedWidth(120);
    grid->addWidget(MakeFieldLabel("Платить в месяц &всего (0 - нет)", budget_), 0, 0, 1, 2);
    grid->addWidget(budget_, 0, 2);
    budgetShortenTerm_ = MakeCheck<QRadioButton>("BudgetShortenTermRadio", "Сокращение срока");
    budgetLowerPayment_ =
        MakeCheck<QRadioButton>("BudgetLowerPaymentRadio", "Уменьшение платежа");
    budgetShortenTerm_->setAccessibleName(QString::fromUtf8("Бюджет: сокращение срока"));
    budgetLowerPayment_->setAccessibleName(QString::fromUtf8("Бюджет: уменьшение платежа"));
    auto* modes = new QHBoxLayout;
    modes->addWidget(budgetShortenTerm_);
    modes->addWidget(budgetLowerPayment_);
    modes->addStretch(1);
    grid->addLayout(modes, 1, 0, 1, 3);

    targetDate_ = MakeDateField("TargetDateEdit");
    QPushButton* find = MakeButton("FindGoalButton", "Подобрать");
    grid->addWidget(MakeFieldLabel("По&гасить к", targetDate_), 2, 0);
    grid->addWidget(targetDate_, 2, 1);
    grid->addWidget(find, 2, 2);
    answer_ = new QLabel;
    answer_->setObjectName("GoalLabel");
    answer_->setFont(LabelFont());
    // Lines of their own rather than wrapped: a label that wraps would make the groups
    // around it ask for their full height in the window's scroll area.
    answer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(answer_, 3, 0, 1, 3);
    addGoal_ = MakeButton("AddGoalButton", "Добавить в план");
    grid->addWidget(addGoal_, 4, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(5, 1);  // the rows at the top of a taller tab

    auto* group = new QButtonGroup(this);
    group->addButton(budgetShortenTerm_);
    group->addButton(budgetLowerPayment_);
    connect(budgetShortenTerm_, &QRadioButton::clicked, this, [this] {
        run_([this] { planner_.BudgetMode = loan::PrepaymentMode::ShortenTerm; });
    });
    connect(budgetLowerPayment_, &QRadioButton::clicked, this, [this] {
        run_([this] { planner_.BudgetMode = loan::PrepaymentMode::LowerPayment; });
    });
    connect(targetDate_, &DateField::dateChanged, this,
            [this](const QDate& date) { planner_.TargetDate.Date = ToDate(date); });
    connect(find, &QPushButton::clicked, this, [this] { run_([this] { planner_.FindGoalClick(); }); });
    connect(addGoal_, &QPushButton::clicked, this,
            [this] { run_([this] { planner_.AddGoalClick(); }); });
}

void PlannerGoalPanel::refresh() {
    budget_->refresh();
    {
        const QSignalBlocker quietTerm(budgetShortenTerm_);
        const QSignalBlocker quietPayment(budgetLowerPayment_);
        const bool shortens = planner_.BudgetMode == loan::PrepaymentMode::ShortenTerm;
        budgetShortenTerm_->setChecked(shortens);
        budgetLowerPayment_->setChecked(!shortens);
    }
    ShowDate(targetDate_, planner_.TargetDate);
    QStringList lines;
    for (const std::string& line : planner_.GoalLines()) lines << QString::fromStdString(line);
    if (planner_.GoalAdded())
        lines << QString::fromUtf8("Добавлено в план.");
    answer_->setText(lines.join('\n'));
    answer_->setVisible(!lines.isEmpty());
    const auto& goal = planner_.Goal();
    addGoal_->setEnabled(goal && goal->monthly > 0 && !planner_.GoalAdded());
}

}  // namespace gui
