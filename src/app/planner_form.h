#pragma once

// The prepayment planner's model ("Досрочное погашение..."), without any window toolkit: the
// loan fields, the editors and lists of prepayments and rate changes, the computed plan as a
// table, the comparison of the four variants and the report that --csv prints and "Экспорт
// в CSV..." writes (their texts are made in plan_presentation). It reaches the person only
// through its FormPort. The window owns one for the whole run, so the lists stay while the
// program runs.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/entry_list_editor.h"
#include "app/form_port.h"
#include "app/plan_file.h"
#include "app/plan_presentation.h"
#include "app/table_report.h"
#include "text/locale.h"
#include "loan/plan.h"
#include "loan/plan_goal.h"
#include "loan/production_calendar.h"
#include "loan/schedule_table.h"
#include "spin_rules/spin_edit_model.h"

namespace app {

class MainForm;

inline constexpr const char* kPlannerCaption = "Досрочное погашение";

// A prepayment as its editor holds it; the amount is the text typed.
struct PrepaymentEntry {
    loan::Date date;
    std::string amount;
    loan::PrepaymentMode mode = loan::PrepaymentMode::ShortenTerm;
    bool monthly = false;
};

struct RateChangeEntry {
    loan::Date date;
    std::string rate;
};

class PlannerForm {
    FormPort& port_;
    loan::Locale locale_;

  public:
    PlannerForm(FormPort& port, loan::Locale locale);
    PlannerForm(const PlannerForm&) = delete;
    PlannerForm& operator=(const PlannerForm&) = delete;

    const loan::Locale& locale() const { return locale_; }

    // Runs a handler as the window's message loop would: an error that escapes it is shown
    // in a message box. False when that happened.
    bool RunHandler(const std::function<void()>& handler);

    // ---- The loan ------------------------------------------------------------------------
    widgets::FloatSpinEditModel Sum;
    widgets::FloatSpinEditModel Rate;  // percent, 0 to 100000
    widgets::SpinEditModel Term;       // months
    DatePicker LoanDate;
    CheckControl Differentiated{true};  // "Дифференцированные платежи"
    CheckControl EqualPayments;         // "Платежи равными частями"
    // The annuity from the contract; 0 takes the computed one. Enabled with EqualPayments.
    widgets::FloatSpinEditModel Payment;
    // The day of the month the regular payments fall on: 0 the loan date's, else 1..31.
    widgets::SpinEditModel PaymentDay;
    // How a payment due on a day off is moved.
    loan::PaymentShift Shift = loan::PaymentShift::Next;

    void DifferentiatedClick();
    void EqualPaymentsClick();
    // A new loan date, payment day or shift: the editors of the lists follow, each to the
    // loan's next payment date, unless it holds a date of its own still after the loan date.
    void LoanDateChange(const loan::Date& date);
    void PaymentDayChange(int day);
    void ShiftChange(loan::PaymentShift shift);
    // The first regular payment's date as made (payment day and shift applied).
    loan::Date NextPaymentDate();
    // The main window's loan: sum, rate, term, date, scheme and, with "Платежи равными
    // частями", its payment. Then calculates, as the planner opens, when the loan is
    // complete; an incomplete one is not reported here (the fields show it). True with a plan.
    bool TakeLoanFrom(const MainForm& form);

    // ---- The production calendar ---------------------------------------------------------
    // Takes the user's changes from their file (UserCalendarFilePath), when there is one. A
    // file that cannot be read or has a bad line is shown and leaves the calendar as it
    // was; false then.
    bool LoadUserCalendar();
    // More changes on top of those the calendar holds (a later mark of a date wins).
    void AddCalendarChanges(const std::vector<loan::CalendarChange>& changes);
    const loan::ProductionCalendar& Calendar() const { return calendar_; }
    // The person saved changes to the calendar: they are taken, and a plan shown is computed
    // again with them.
    void CalendarEdited();

    // ---- The prepayments -----------------------------------------------------------------
    // The editor below the list; "Добавить" appends its entry, "Изменить" replaces the
    // selected one with it, "Удалить" removes the selected one.
    DatePicker PrepaymentDate;
    widgets::FloatSpinEditModel PrepaymentAmount;
    CheckControl ShortenTerm{true};  // "Сокращение срока"
    CheckControl LowerPayment;       // "Уменьшение платежа"
    CheckControl Monthly;            // "Ежемесячно"
    int SelectedPrepayment = -1;

    void ShortenTermClick();
    void LowerPaymentClick();
    // Selecting a row of the list loads it into the editor; -1 selects none.
    void SelectPrepayment(int index);
    bool AddPrepaymentClick();
    bool ChangePrepaymentClick();
    void RemovePrepaymentClick();

    // The same without the editor. A refused entry (its message shown) leaves the list as
    // it was and returns false.
    bool AddPrepayment(const PrepaymentEntry& entry);
    bool ChangePrepayment(int index, const PrepaymentEntry& entry);
    void RemovePrepayment(int index);
    const std::vector<loan::Prepayment>& Prepayments() const { return prepayments_.Items(); }
    // Date, amount, mode and "ежемесячно" (or empty) of an entry, as the list shows them.
    std::array<std::string, 4> PrepaymentTexts(int index) const;
    // The entries by date, those of one date in the order given (the order the plan makes
    // them in): the list shows them so.
    std::vector<int> PrepaymentOrder() const;
    // What the regular payment after an entry's date comes to in the plan; empty without a
    // plan or when the loan is repaid by then.
    std::string NextPaymentText(int index) const;

    // ---- The goal and the budget ----------------------------------------------------------
    // "Платить в месяц всего": 0 for no budget; its mode, lowering the payment by default.
    widgets::FloatSpinEditModel Budget;
    loan::PrepaymentMode BudgetMode = loan::PrepaymentMode::LowerPayment;
    // The budget is read with the loan, so it takes part from the next calculation on; a
    // budget not in roubles and kopecks or past the amount limit refuses the calculation as
    // a bad payment does.
    //
    // "Погасить к": the date the loan should be repaid by, when one is set.
    DatePicker TargetDate;
    bool HasTarget = false;

    // "Подобрать": computes the plan, then the smallest monthly prepayment in whole roubles
    // that, added from the first regular date and shortening the term, repays the loan by
    // TargetDate (HasTarget is set). False, with the reason shown and no goal, when the loan
    // is incomplete or the date is before the first regular payment.
    bool FindGoalClick();
    // The last goal found; empty before one, after a refusal and once the plan is computed
    // again other than by adding it.
    const std::optional<loan::PlanGoal>& Goal() const { return goal_; }
    // "Добавить в план": the goal's prepayment appended to the list (the plan is computed
    // again with it). Refused with a message when there is no goal with an amount, or it was
    // added already.
    bool AddGoalClick();
    bool GoalAdded() const { return goalAdded_; }
    // The goal as a summary line: "Ежемесячное досрочное погашение для погашения к
    // DD.MM.YYYY" and X. Empty names without a goal.
    std::pair<std::string, std::string> GoalValue() const;
    // What the goal panel shows, in short lines: X, then the last payment and the saving or,
    // when nothing is needed, why.
    std::vector<std::string> GoalLines() const;
    // The note for X = 0: the plan as entered already repays the loan by the date.
    std::string GoalNote() const;

    // ---- The rate changes ----------------------------------------------------------------
    DatePicker RateChangeDate;
    widgets::FloatSpinEditModel RateChangeRate;  // percent, 0 to 100000
    int SelectedRateChange = -1;

    void SelectRateChange(int index);
    bool AddRateChangeClick();
    bool ChangeRateChangeClick();
    void RemoveRateChangeClick();

    bool AddRateChange(const RateChangeEntry& entry);
    bool ChangeRateChange(int index, const RateChangeEntry& entry);
    void RemoveRateChange(int index);
    const std::vector<loan::RateChange>& RateChanges() const { return rateChanges_.Items(); }
    // Date and rate of an entry.
    std::array<std::string, 2> RateChangeTexts(int index) const;

    // ---- The plan ------------------------------------------------------------------------
    // Reads the loan fields and computes the plan and the comparison. False, with the
    // reason shown and the earlier plan cleared, when the loan is not complete. Prepayments
    // that take no part are told once, when they first fail; Notes() keeps them all.
    bool Calculate();
    bool HasPlan() const { return hasPlan_; }
    // Counts the plans computed and cleared: a view redraws the plan when it changed.
    unsigned PlanGeneration() const { return planGeneration_; }

    // The header row, a row per payment and the totals row "Всего:".
    const loan::ScheduleTable& Table() const { return table_; }
    // The kind of a table row (1 .. payments); rows outside them are Regular.
    loan::PlanRowKind RowKind(int row) const;
    const loan::PlanTerms& Terms() const { return terms_; }
    // The four variants as the comparison table shows them.
    std::array<ComparisonRow, 4> ComparisonTexts() const;
    // The same with a column a figure, as the window shows them.
    std::array<ComparisonLine, 4> ComparisonLines() const;
    // What a table row (1 .. payments) tells beyond its cells; null outside them.
    const PlanRowMarks* RowMarks(int row) const;
    // The months each variant saves on the term (zeros without a plan).
    std::array<int, 4> ShorterTermMonths() const;
    // Why entries took no part (refusals) and what was left out (notes), as the person reads
    // them; both from the last calculation.
    const std::vector<std::string>& Refusals() const { return refusals_; }
    const std::vector<std::string>& Notes() const { return notes_; }

    // The remaining balance of a variant from the loan date on, for the chart.
    std::vector<BalancePoint> BalanceCurve(loan::PlanVariant variant) const;

    // The table and the name;value lines of --csv.
    TableReport Report() const;

    // ---- The printout --------------------------------------------------------------------
    // The lines above the printed table: the loan of the plan computed last (sum, rate, term,
    // date, scheme, monthly payment), then its prepayments and rate changes, at most
    // kListedEntries of each with a count of the others, every label padded to 25 characters
    // with its ": " so that the values line up in a fixed-pitch font. Empty without a plan.
    static constexpr int kListedEntries = 8;
    std::vector<std::string> InformationLines() const;
    // "Экспорт в CSV...": the report with a byte-order mark and CR LF, written safely. A
    // failed write throws FileError (the handler's box shows it); an earlier file stays.
    void ExportCsvClick();

    std::string FormatMoney(loan::ScaledAmount amount) const;

    // ---- The plan file (planner_plan_file.cpp) -------------------------------------------
    // The file the plan was last opened from or saved to (its full path), empty for none.
    const std::string& PlanFilePath() const { return planFilePath_; }
    // "Досрочное погашение", with " - name.crplan" once the plan has a file.
    std::string Caption() const;
    // Whether closing would lose something: the plan differs from its file as last opened or
    // saved; without a file, it holds prepayments, rate changes, a budget or a target.
    bool PlanModified() const;
    // "Открыть план...": the save question for a modified plan, the open dialog, then the
    // file read whole; a refused file (its message shown) leaves the planner as it was.
    bool OpenPlanClick();
    // "Сохранить план...": into the plan's file, or as "Сохранить план как..." without one.
    bool SavePlanClick();
    bool SavePlanAsClick();
    // Before the planner window or the program closes: true when it may. A modified plan
    // brings up the save question: "Да" saves (a cancelled or failed save keeps the window),
    // "Нет" goes back to the plan as last opened or saved (without a file, to empty lists),
    // "Отмена" keeps everything. A plan without a file is asked about only when the program
    // closes: the planner window keeps its lists from one opening to the next.
    bool ClosePlanQuery(bool programCloses);
    // Reads the whole file, then shows it and computes its plan; FileError, with nothing
    // changed, when it cannot be read or is no plan.
    void LoadPlanFile(const std::string& path);
    // Writes the plan as the fields and lists hold it; false, with the reason shown, when the
    // loan is not complete. A failed write throws FileError and changes nothing.
    bool SavePlanFile(const std::string& path);
    // The plan the fields and lists hold, checked as a calculation checks them; empty, with
    // the reason shown, when they make no plan.
    std::optional<PlanFileData> PlanToSave();
    // Puts a plan into the fields and lists, the earlier plan cleared; computes nothing.
    void ApplyPlan(const PlanFileData& plan);
    // Computes the plan when the loan is complete, without saying what is missing.
    bool CalculateIfComplete() { return calculate(false); }

  private:
    std::string planSnapshot() const;
    bool answerPlanQuestion(bool discardOnNo);
    void discardPlanChanges();
    bool hasEntries() const;
    // Recomputes after a change of the lists, once a plan was computed.
    void refresh();
    bool calculate(bool reportIncomplete);
    // Reads the user's calendar file once, before the calendar is first used.
    void ensureUserCalendar();
    void noteUnapprovedYears(std::vector<std::string>& notes) const;
    void followLoanDate();
    bool readLoan(loan::PlanTerms& terms, bool reportIncomplete);
    bool readBudget(loan::PlanTerms& terms, bool reportIncomplete);
    std::optional<loan::Prepayment> readPrepayment(const PrepaymentEntry& entry);
    std::optional<loan::RateChange> readRateChange(const RateChangeEntry& entry);
    PrepaymentEntry prepaymentEditor() const;
    void showPrepayment(const loan::Prepayment& prepayment);
    void showRateChange(const loan::RateChange& change);
    // Shows the refusals and the warning about the payment that the last plan did not have.
    void describeIssues();
    void clearPlan();
    PlanPresentation presentation() const { return {terms_, result_, locale_}; }

    EntryListEditor<PrepaymentEntry, loan::Prepayment> prepayments_;
    EntryListEditor<RateChangeEntry, loan::RateChange> rateChanges_;
    loan::ProductionCalendar calendar_;
    bool userCalendarRead_ = false;

    bool hasPlan_ = false;
    unsigned planGeneration_ = 0;
    loan::PlanTerms terms_;
    loan::PlanResult result_;
    loan::ScheduleTable table_;
    std::vector<PlanRowMarks> rowMarks_;
    // The dates last put into the editors for the person: an editor still holding it follows
    // the loan.
    loan::Date suggestedPrepaymentDate_;
    loan::Date suggestedRateChangeDate_;
    loan::Date suggestedTargetDate_;
    std::vector<std::string> refusals_;
    std::vector<std::string> notes_;
    std::optional<loan::PlanGoal> goal_;
    bool goalAdded_ = false;
    bool holdGoal_ = false;

    std::string planFilePath_;
    std::optional<PlanFileData> savedPlan_;  // as last opened or saved
    std::string savedSnapshot_;
};

}  // namespace app
