#pragma once

// The prepayment planner ("Досрочное погашение..." in the menu "Файл"): a window over the
// planner's model. At the left the loan, the prepayments and the rate changes, each list
// with its editor; at the right the plan's table, the comparison of the four variants and
// the chart of the remaining balance. Every action runs the model's handler, then the window
// draws the model again. The main window keeps one for the whole run, so the lists stay
// from one opening to the next. On a screen too small for it the content scrolls.

#include <array>
#include <functional>
#include <memory>

#include <QWidget>

#include "app/planner_form.h"
#include "gui/plan_document.h"
#include "gui/print_window.h"

class QChartView;
class QCheckBox;
class QGroupBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;
class QTableWidget;
class QTreeWidget;

namespace app {
class MainForm;
}

namespace gui {

class DateField;
class PlanTableModel;
class PlannerGoalPanel;
class SpinEditBase;

class PlannerWindow : public QWidget {
    Q_OBJECT

  public:
    // Message boxes go through `messages` (the main window's port).
    PlannerWindow(app::FormPort& messages, loan::Locale locale, QWidget* owner);
    ~PlannerWindow() override;

    app::PlannerForm& planner() { return planner_; }

    // Takes the main window's loan, computes its plan when the loan is complete, and shows
    // the window on top.
    void Open(const app::MainForm& form);
    // Runs a handler of the model through its error display, then draws the model again.
    bool run(const std::function<void()>& handler);
    // Draws every field, list, table and the chart from the model.
    void refresh();

    // "Производственный календарь...": `editor` lets the person change the calendar and is
    // true when the changes were saved; the planner then takes them and computes again.
    // Without an editor the button is disabled.
    void setCalendarEditor(std::function<bool()> editor);
    void CalendarClick();

    // "Печать...": the plan's print window, made on first use and shown modally.
    void PrintClick();
    TForm2* printWindow() const { return printWindow_; }
    QChartView* chartView() const { return chart_; }

    // The plan's file (planner_file_actions.cpp): "Открыть план...", "Сохранить план...",
    // "Сохранить план как...", each through the model's handler.
    void OpenPlanClick();
    void SavePlanClick();
    void SavePlanAsClick();
    // Opens the plan file and shows the window with it; a refused file is reported and the
    // window stays as it was. True when the file was opened.
    bool OpenPlanFile(const std::string& path);
    // The save question of a modified plan before the window or the program closes: true
    // when it may close.
    bool queryClose(bool programCloses);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The row of the plan file's buttons.
    QLayout* buildPlanFileButtons();
    QWidget* buildLoan();
    // The shift rule, the payment day and the calendar, in rows from `row` of `grid`.
    void buildPaymentDates(QGridLayout* grid, int row);
    QGroupBox* buildPrepayments();
    QGroupBox* buildRateChanges();
    QWidget* buildResults();
    // "Печать...", "Экспорт в CSV..." and "Закрыть".
    QLayout* buildCommands();
    // A spin edit over a field of the model, redrawn with the window.
    template <class Spin, class Model>
    Spin* makeSpin(const char* name, Model& model);
    // "Добавить", "Изменить" and "Удалить" of a list's editor ("AddPrepaymentButton", ...),
    // each running its handler of the model.
    QLayout* listButtons(const char* kind, const std::array<std::function<void()>, 3>& handlers,
                         QPushButton*& change, QPushButton*& remove);
    void showLists();
    void showPlan();

    std::unique_ptr<app::FormPort> port_;
    app::PlannerForm planner_;
    unsigned shownGeneration_ = ~0u;

    std::vector<SpinEditBase*> spins_;
    DateField* loanDate_ = nullptr;
    QRadioButton* differentiated_ = nullptr;
    QRadioButton* equalPayments_ = nullptr;
    QComboBox* shift_ = nullptr;
    QSpinBox* paymentDay_ = nullptr;
    QPushButton* calendar_ = nullptr;
    std::function<bool()> calendarEditor_;
    DateField* prepaymentDate_ = nullptr;
    QRadioButton* shortenTerm_ = nullptr;
    QRadioButton* lowerPayment_ = nullptr;
    QCheckBox* monthly_ = nullptr;
    QTreeWidget* prepayments_ = nullptr;
    QPushButton* changePrepayment_ = nullptr;
    QPushButton* removePrepayment_ = nullptr;
    DateField* rateChangeDate_ = nullptr;
    QTreeWidget* rateChanges_ = nullptr;
    QPushButton* changeRateChange_ = nullptr;
    QPushButton* removeRateChange_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* exportCsv_ = nullptr;
    QTableView* table_ = nullptr;
    PlanTableModel* tableModel_ = nullptr;
    QLabel* refusals_ = nullptr;
    QLabel* notes_ = nullptr;
    QTableWidget* comparison_ = nullptr;
    QChartView* chart_ = nullptr;
    TForm2* printWindow_ = nullptr;
    PlannerGoalPanel* goalPanel_ = nullptr;
};

}  // namespace gui
