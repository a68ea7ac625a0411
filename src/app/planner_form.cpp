#include "app/planner_form.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "app/calendar_changes_file.h"
#include "app/loan_input_check.h"
#include "app/main_form.h"
#include "loan/amount_limit.h"
#include "text/errors.h"
#include "loan/number_text.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "storage/user_folders.h"

namespace app {

namespace {

using loan::ScaledAmount;

constexpr double kMaxRate = kMaxRatePercent;

bool wholeKopecks(ScaledAmount amount) {
    return !CheckWholeKopecks(amount);
}

}  // namespace

PlannerForm::PlannerForm(FormPort& port, loan::Locale locale)
    : port_(port),
      locale_(std::move(locale)),
      Sum(locale_),
      Rate(locale_),
      Term(locale_),
      Payment(locale_),
      PaymentDay(locale_),
      PrepaymentAmount(locale_),
      Budget(locale_),
      RateChangeRate(locale_),
      prepayments_(port_, SelectedPrepayment,
                   {"Выберите досрочное погашение в списке.",
                    [this](const PrepaymentEntry& entry) { return readPrepayment(entry); },
                    [this] { return prepaymentEditor(); },
                    [this](const loan::Prepayment& item) { showPrepayment(item); }},
                   [this] { refresh(); }),
      rateChanges_(port_, SelectedRateChange,
                   {"Выберите изменение ставки в списке.",
                    [this](const RateChangeEntry& entry) { return readRateChange(entry); },
                    [this] { return RateChangeEntry{RateChangeDate.Date, RateChangeRate.Text}; },
                    [this](const loan::RateChange& item) { showRateChange(item); }},
                   [this] { refresh(); }) {
    Sum.MaxValue = loan::kMaxAmountUnits;
    Rate.MaxValue = kMaxRate;
    Term.MaxValue = 100000;
    Payment.MaxValue = loan::kMaxAmountUnits;
    Payment.Enabled = false;
    PaymentDay.MaxValue = 31;
    RateChangeRate.MaxValue = kMaxRate;
    Budget.MaxValue = loan::kMaxAmountUnits;
    PrepaymentDate.Date = RateChangeDate.Date = suggestedPrepaymentDate_ =
        suggestedRateChangeDate_ = loan::IncMonth(LoanDate.Date);
    for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column)
        table_.setCell(column, 0, kPlanHeaders[static_cast<std::size_t>(column)]);
    table_.setRowCount(1);
}

bool PlannerForm::RunHandler(const std::function<void()>& handler) {
    return RunReportingErrors(port_, handler);
}

std::string PlannerForm::FormatMoney(ScaledAmount amount) const {
    return loan::FormatMoney(amount, locale_);
}

// ---- The loan ---------------------------------------------------------------------------

void PlannerForm::DifferentiatedClick() {
    Differentiated.Checked = true;
    EqualPayments.Checked = false;
    Payment.Enabled = false;
}

void PlannerForm::EqualPaymentsClick() {
    Differentiated.Checked = false;
    EqualPayments.Checked = true;
    Payment.Enabled = true;
}

bool PlannerForm::TakeLoanFrom(const MainForm& form) {
    Sum.SetValue(form.SpinEdit1.Value());
    Rate.SetValue(form.SpinEdit2.Value());
    Term.SetValue(form.SpinEdit3.Value());
    LoanDate.Date = form.DateTimePicker1.Date;
    if (form.RadioButtonB.Checked) {
        EqualPaymentsClick();
        Payment.SetValue(form.SpinEdit5.Value());
    } else {
        DifferentiatedClick();
        Payment.SetValue(0);
    }
    followLoanDate();
    return calculate(false);
}

void PlannerForm::LoanDateChange(const loan::Date& date) {
    LoanDate.Date = date;
    followLoanDate();
}

void PlannerForm::PaymentDayChange(int day) {
    PaymentDay.SetValue(day);
    followLoanDate();
}

void PlannerForm::ShiftChange(loan::PaymentShift shift) {
    Shift = shift;
    followLoanDate();
}

loan::Date PlannerForm::NextPaymentDate() {
    ensureUserCalendar();
    const int day = PaymentDay.Value();
    const loan::Date nominal =
        loan::NominalPaymentDate(LoanDate.Date, day >= 1 && day <= 31 ? day : 0, 1);
    return loan::ShiftedPaymentDate(
        nominal, Shift, [this](const loan::Date& date) { return calendar_.IsWorkingDay(date); });
}

void PlannerForm::followLoanDate() {
    // A date the person chose stays while it is still after the loan date.
    const loan::Date next = NextPaymentDate();
    for (auto [picker, suggested] : {std::pair{&PrepaymentDate, &suggestedPrepaymentDate_},
                                     std::pair{&RateChangeDate, &suggestedRateChangeDate_}}) {
        if (picker->Date == *suggested || picker->Date <= LoanDate.Date)
            picker->Date = next;
        *suggested = next;
    }
    // "Погасить к" is offered the loan's last date, to be moved earlier.
    const int term = Term.Value();
    const loan::Date last =
        term >= 1 && term <= Term.MaxValue ? loan::RegularDate(LoanDate.Date, term) : next;
    if (!HasTarget && (TargetDate.Date == suggestedTargetDate_ || TargetDate.Date <= LoanDate.Date))
        TargetDate.Date = last;
    suggestedTargetDate_ = last;
}

bool PlannerForm::readLoan(loan::PlanTerms& terms, bool reportIncomplete) {
    const auto refuse = [&](const char* caption, const std::string& text) {
        if (reportIncomplete)
            port_.showMessage(caption, text);
        return false;
    };
    const auto refused = [&](const InputCheck& check) {
        if (check)
            refuse(check->caption, check->text);
        return check.has_value();
    };
    const double sum = Sum.Value();
    const double rate = Rate.Value();
    const std::int32_t term = Term.Value();
    if (refused(CheckTermLimit(term)) || refused(CheckLastDate(LoanDate.Date, term)))
        return false;
    // A rate of 0 is an instalment plan: the sum spread evenly over the term; an empty
    // field is still a rate not entered.
    if (!(sum > 0) || term <= 0 || Rate.Text.empty() || !(rate >= 0) || !RateWithinLimit(rate))
        return refuse(kErrorCaption, kMissingInput);
    if (refused(CheckLoanSum(sum)))
        return false;
    terms.sum = loan::ToScaled(sum);
    terms.annualRate = rate;
    terms.termMonths = term;
    terms.loanDate = LoanDate.Date;
    terms.scheme =
        EqualPayments.Checked ? loan::PlanScheme::Annuity : loan::PlanScheme::Differentiated;
    terms.paymentDay = PaymentDay.Value();
    if (terms.paymentDay < 0 || terms.paymentDay > 31)
        return refuse(kErrorCaption, "День платежа должен быть от 1 до 31 (0 - день выдачи кредита).");
    terms.shift = Shift;
    terms.isWorkingDay = [this](const loan::Date& date) { return calendar_.IsWorkingDay(date); };
    if (refused(CheckWholeKopecks(terms.sum)))
        return false;
    if (EqualPayments.Checked) {
        const double payment = Payment.Value();
        if (!(payment >= 0))
            return refuse(kErrorCaption, "Платеж должен быть не меньше нуля (0 - рассчитать).");
        if (!loan::FitsScaled(payment))
            return refuse(kErrorCaption, "Слишком большой платеж: он должен быть не больше " +
                                             AmountLimitText(locale_.decimalSeparator) + ".");
        if (payment > 0) {
            terms.payment = loan::ToScaled(payment);
            if (refused(CheckWholeKopecks(*terms.payment)))
                return false;
        }
    }
    return readBudget(terms, reportIncomplete);
}

bool PlannerForm::readBudget(loan::PlanTerms& terms, bool reportIncomplete) {
    const auto refuse = [&](const std::string& text) {
        if (reportIncomplete)
            port_.showMessage(kErrorCaption, text);
        return false;
    };
    const double budget = Budget.Value();
    if (!(budget >= 0))
        return refuse("Сумма \"Платить в месяц всего\" должна быть не меньше нуля (0 - без бюджета).");
    if (budget == 0)
        return true;
    if (!loan::FitsScaled(budget) || !loan::WithinAmountLimit(loan::ToScaled(budget)))
        return refuse("Слишком большая сумма \"Платить в месяц всего\"...");
    const ScaledAmount amount = loan::ToScaled(budget);
    if (!wholeKopecks(amount))
        return refuse(kWholeKopecks);
    terms.budget = loan::PlanBudget{amount, BudgetMode};
    return true;
}

// ---- The production calendar ---------------------------------------------------------------

bool PlannerForm::LoadUserCalendar() {
    userCalendarRead_ = true;
    const std::string path = storage::UserCalendarFilePath();
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return true;
    return RunHandler([&] { calendar_.SetChanges(ReadCalendarChangesFile(path)); });
}

void PlannerForm::ensureUserCalendar() {
    if (!userCalendarRead_)
        LoadUserCalendar();
}

void PlannerForm::AddCalendarChanges(const std::vector<loan::CalendarChange>& changes) {
    ensureUserCalendar();
    for (const loan::CalendarChange& change : changes)
        calendar_.Mark(change.date, change.working);
    refresh();
}

void PlannerForm::CalendarEdited() {
    // Changes the person removed go too; a file that cannot be read keeps those held.
    const std::vector<loan::CalendarChange> held = calendar_.Changes();
    calendar_.SetChanges({});
    if (!LoadUserCalendar())
        calendar_.SetChanges(held);
    followLoanDate();
    refresh();
}

void PlannerForm::noteUnapprovedYears(std::vector<std::string>& notes) const {
    // Days off of a year without an approved calendar are a guess: said once per year.
    if (terms_.shift == loan::PaymentShift::None)
        return;
    int lastYear = 0;
    for (const loan::PlanRow& row : result_.rows) {
        const int year = row.date.year;
        if (row.kind != loan::PlanRowKind::Regular || year == lastYear)
            continue;
        lastYear = year;
        if (!loan::ProductionCalendar::Approved(year))
            notes.push_back(loan::ProductionCalendar::NotApprovedText(year));
    }
}

// ---- The prepayments --------------------------------------------------------------------

void PlannerForm::ShortenTermClick() {
    ShortenTerm.Checked = true;
    LowerPayment.Checked = false;
}

void PlannerForm::LowerPaymentClick() {
    ShortenTerm.Checked = false;
    LowerPayment.Checked = true;
}

std::optional<loan::Prepayment> PlannerForm::readPrepayment(const PrepaymentEntry& entry) {
    const auto refuse = [&](const std::string& text) -> std::optional<loan::Prepayment> {
        port_.showMessage(kErrorCaption, text);
        return std::nullopt;
    };
    const auto amount = loan::TryParseNumber(entry.amount, locale_);
    if (!amount) {
        return refuse("Сумма досрочного погашения должна быть числом, а не \"" +
                      loan::Excerpt(entry.amount) + "\".");
    }
    if (!(*amount > 0))
        return refuse("Сумма досрочного погашения должна быть больше нуля.");
    if (!loan::FitsScaled(static_cast<double>(*amount)))
        return refuse("Слишком большая сумма досрочного погашения: она должна быть не больше " +
                      AmountLimitText(locale_.decimalSeparator) + ".");
    const ScaledAmount scaled = loan::ToScaled(static_cast<double>(*amount));
    if (!wholeKopecks(scaled))
        return refuse(kWholeKopecks);
    if (entry.date <= LoanDate.Date) {
        return refuse("Дата досрочного погашения должна быть позже даты получения кредита (" +
                      loan::FormatShortDate(LoanDate.Date) + ").");
    }
    return loan::Prepayment{entry.date, scaled, entry.mode, entry.monthly};
}

PrepaymentEntry PlannerForm::prepaymentEditor() const {
    return {PrepaymentDate.Date, PrepaymentAmount.Text,
            LowerPayment.Checked ? loan::PrepaymentMode::LowerPayment
                                 : loan::PrepaymentMode::ShortenTerm,
            Monthly.Checked};
}

void PlannerForm::showPrepayment(const loan::Prepayment& prepayment) {
    PrepaymentDate.Date = prepayment.date;
    PrepaymentAmount.Text = FormatMoney(prepayment.amount);
    if (prepayment.mode == loan::PrepaymentMode::LowerPayment) {
        LowerPaymentClick();
    } else {
        ShortenTermClick();
    }
    Monthly.Checked = prepayment.monthly;
}

void PlannerForm::SelectPrepayment(int index) {
    prepayments_.Select(index);
}

bool PlannerForm::AddPrepaymentClick() {
    return prepayments_.AddClick();
}

bool PlannerForm::ChangePrepaymentClick() {
    return prepayments_.ChangeClick();
}

void PlannerForm::RemovePrepaymentClick() {
    prepayments_.RemoveClick();
}

bool PlannerForm::AddPrepayment(const PrepaymentEntry& entry) {
    return prepayments_.Add(entry);
}

bool PlannerForm::ChangePrepayment(int index, const PrepaymentEntry& entry) {
    return prepayments_.Change(index, entry);
}

void PlannerForm::RemovePrepayment(int index) {
    prepayments_.Remove(index);
}

std::array<std::string, 4> PlannerForm::PrepaymentTexts(int index) const {
    return app::PrepaymentTexts(Prepayments().at(static_cast<std::size_t>(index)), locale_);
}

std::vector<int> PlannerForm::PrepaymentOrder() const {
    std::vector<int> order(Prepayments().size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return Prepayments()[static_cast<std::size_t>(a)].date <
               Prepayments()[static_cast<std::size_t>(b)].date;
    });
    return order;
}

std::string PlannerForm::NextPaymentText(int index) const {
    if (!hasPlan_)
        return {};
    return presentation().NextRegularTotal(Prepayments().at(static_cast<std::size_t>(index)).date);
}

// ---- The rate changes -------------------------------------------------------------------

std::optional<loan::RateChange> PlannerForm::readRateChange(const RateChangeEntry& entry) {
    const auto refuse = [&](const std::string& text) -> std::optional<loan::RateChange> {
        port_.showMessage(kErrorCaption, text);
        return std::nullopt;
    };
    const auto rate = loan::TryParseNumber(entry.rate, locale_);
    if (!rate || !(*rate >= 0) || *rate > kMaxRate) {
        return refuse("Новая ставка должна быть числом от 0 до 100000, а не \"" +
                      loan::Excerpt(entry.rate) + "\".");
    }
    if (entry.date <= LoanDate.Date) {
        return refuse("Дата изменения ставки должна быть позже даты получения кредита (" +
                      loan::FormatShortDate(LoanDate.Date) + ").");
    }
    return loan::RateChange{entry.date, static_cast<double>(*rate)};
}

void PlannerForm::showRateChange(const loan::RateChange& change) {
    RateChangeDate.Date = change.date;
    RateChangeRate.SetValue(change.annualRate);
}

void PlannerForm::SelectRateChange(int index) {
    rateChanges_.Select(index);
}

bool PlannerForm::AddRateChangeClick() {
    return rateChanges_.AddClick();
}

bool PlannerForm::ChangeRateChangeClick() {
    return rateChanges_.ChangeClick();
}

void PlannerForm::RemoveRateChangeClick() {
    rateChanges_.RemoveClick();
}

bool PlannerForm::AddRateChange(const RateChangeEntry& entry) {
    return rateChanges_.Add(entry);
}

bool PlannerForm::ChangeRateChange(int index, const RateChangeEntry& entry) {
    return rateChanges_.Change(index, entry);
}

void PlannerForm::RemoveRateChange(int index) {
    rateChanges_.Remove(index);
}

std::array<std::string, 2> PlannerForm::RateChangeTexts(int index) const {
    return app::RateChangeTexts(RateChanges().at(static_cast<std::size_t>(index)), locale_);
}

// ---- The plan ---------------------------------------------------------------------------

bool PlannerForm::Calculate() {
    return calculate(true);
}

void PlannerForm::refresh() {
    if (hasPlan_)
        calculate(true);
}

bool PlannerForm::calculate(bool reportIncomplete) {
    ensureUserCalendar();
    // A goal answers for the plan it was found on.
    if (!holdGoal_) {
        goal_.reset();
        goalAdded_ = false;
    }
    loan::PlanTerms terms;
    if (!readLoan(terms, reportIncomplete)) {
        clearPlan();
        return false;
    }
    terms.prepayments = Prepayments();
    terms.rateChanges = RateChanges();
    try {
        result_ = loan::RunPlan(terms);
        // Interest past the amount limit would no longer be exact to the kopeck (the
        // balance and the principal stay within the sum).
        for (const loan::PlanRow& row : result_.rows) {
            if (!loan::WithinAmountLimit(row.interest))
                throw loan::AmountOverflow();
        }
    } catch (const loan::AmountOverflow&) {
        clearPlan();
        port_.showMessage(kErrorCaption, kTooLargeAmounts);
        return false;
    }
    terms_ = std::move(terms);
    hasPlan_ = true;
    ++planGeneration_;
    presentation().FillTable(table_);
    rowMarks_ = presentation().RowMarks();
    describeIssues();
    return true;
}

// ---- The goal ---------------------------------------------------------------------------

bool PlannerForm::FindGoalClick() {
    goal_.reset();
    goalAdded_ = false;
    HasTarget = true;
    if (!calculate(true))
        return false;
    loan::PlanGoal goal = loan::FindPlanGoal(terms_, TargetDate.Date);
    if (goal.outcome == loan::PlanGoalOutcome::BeforeFirstDate) {
        port_.showMessage(kErrorCaption,
                          "Дата \"Погасить к\" (" + loan::FormatShortDate(goal.target) +
                              ") раньше первого планового платежа (" +
                              loan::FormatShortDate(goal.firstDate) +
                              "): к ней кредит не погасить.");
        return false;
    }
    if (goal.outcome == loan::PlanGoalOutcome::NoPlan)
        return false;
    goal_ = goal;
    return true;
}

bool PlannerForm::AddGoalClick() {
    if (!goal_ || goal_->monthly <= 0) {
        port_.showMessage(kErrorCaption,
                          "Нет суммы для добавления: сначала нажмите \"Подобрать\" с датой, к "
                          "которой кредит без досрочных погашений не погашается.");
        return false;
    }
    if (goalAdded_) {
        port_.showMessage(kErrorCaption, "Это досрочное погашение уже добавлено в план.");
        return false;
    }
    const loan::Prepayment prepayment = loan::GoalPrepayment(*goal_);
    // The plan computed again with it keeps the goal, now added.
    holdGoal_ = true;
    const bool added = AddPrepayment(
        {prepayment.date, FormatMoney(prepayment.amount), prepayment.mode, prepayment.monthly});
    holdGoal_ = false;
    goalAdded_ = added;
    return added;
}

std::pair<std::string, std::string> PlannerForm::GoalValue() const {
    if (!goal_)
        return {};
    return {"Ежемесячное досрочное погашение для погашения к " +
                loan::FormatShortDate(goal_->target),
            FormatMoney(goal_->monthly)};
}

std::string PlannerForm::GoalNote() const {
    if (!goal_ || goal_->outcome != loan::PlanGoalOutcome::AlreadyMet)
        return {};
    return "Досрочное погашение не нужно: кредит и так погашается к " +
           loan::FormatShortDate(goal_->target) + " (последний платеж " +
           loan::FormatShortDate(goal_->lastPaymentDate) + ").";
}

std::vector<std::string> PlannerForm::GoalLines() const {
    if (!goal_)
        return {};
    // Short lines, for a narrow panel: its date field shows the date.
    std::vector<std::string> lines = {"Ежемесячно досрочно к " +
                                      loan::FormatShortDate(goal_->target) + ": " +
                                      FormatMoney(goal_->monthly)};
    if (goal_->outcome == loan::PlanGoalOutcome::AlreadyMet) {
        lines.push_back("Не нужно: кредит и так погашается к этой дате,");
        lines.push_back("последний платеж " + loan::FormatShortDate(goal_->lastPaymentDate) + ".");
    } else {
        lines.push_back("Последний платеж: " + loan::FormatShortDate(goal_->lastPaymentDate));
        lines.push_back("Экономия на процентах: " + FormatMoney(goal_->interestSaved));
    }
    return lines;
}

void PlannerForm::clearPlan() {
    hasPlan_ = false;
    ++planGeneration_;
    result_ = {};
    rowMarks_.clear();
    refusals_.clear();
    notes_.clear();
    table_.clearRows(1, table_.rowCount());
    table_.setRowCount(1);
}

loan::PlanRowKind PlannerForm::RowKind(int row) const {
    if (row < 1 || row > static_cast<int>(result_.rows.size()))
        return loan::PlanRowKind::Regular;
    return result_.rows[static_cast<std::size_t>(row - 1)].kind;
}

void PlannerForm::describeIssues() {
    PlanIssueTexts texts = presentation().IssueTexts();
    // The warning about the payment is shown once in a box; the notes keep saying it.
    if (!texts.shortPayment.empty() &&
        std::find(notes_.begin(), notes_.end(), texts.shortPayment) == notes_.end()) {
        port_.showMessage(kAttentionCaption, texts.shortPayment);
    }
    noteUnapprovedYears(texts.notes);
    for (const std::string& refusal : texts.refusals) {
        if (std::find(refusals_.begin(), refusals_.end(), refusal) == refusals_.end())
            port_.showMessage(kErrorCaption, refusal);
    }
    refusals_ = std::move(texts.refusals);
    notes_ = std::move(texts.notes);
}

std::array<ComparisonRow, 4> PlannerForm::ComparisonTexts() const {
    if (hasPlan_)
        return presentation().ComparisonTexts();
    // Default-initialised rather than `{}`: clang 14, which builds the fuzz targets, crashes
    // on the braces here.
    std::array<ComparisonRow, 4> empty;
    return empty;
}

std::array<ComparisonLine, 4> PlannerForm::ComparisonLines() const {
    if (hasPlan_)
        return presentation().ComparisonLines();
    std::array<ComparisonLine, 4> empty;
    return empty;
}

const PlanRowMarks* PlannerForm::RowMarks(int row) const {
    if (row < 1 || row > static_cast<int>(rowMarks_.size()))
        return nullptr;
    return &rowMarks_[static_cast<std::size_t>(row - 1)];
}

std::array<int, 4> PlannerForm::ShorterTermMonths() const {
    if (hasPlan_)
        return presentation().ShorterTermMonths();
    return {};
}

std::vector<BalancePoint> PlannerForm::BalanceCurve(loan::PlanVariant variant) const {
    if (!hasPlan_)
        return {};
    return presentation().BalanceCurve(variant);
}

TableReport PlannerForm::Report() const {
    TableReport report;
    report.table = &table_;
    if (!hasPlan_)
        return report;
    report.lastColumn.reserve(result_.rows.size() + 1);
    report.lastColumn.emplace_back(kBalanceAfterHeader);
    for (const PlanRowMarks& marks : rowMarks_) report.lastColumn.push_back(marks.balanceAfter);
    report.values = presentation().ReportValues();
    return report;
}

std::vector<std::string> PlannerForm::InformationLines() const {
    if (!hasPlan_)
        return {};
    return presentation().InformationLines(kListedEntries);
}

void PlannerForm::ExportCsvClick() {
    if (!hasPlan_) {
        port_.showMessage(kErrorCaption, "План не рассчитан: заполните данные по кредиту.");
        return;
    }
    if (const auto path = port_.chooseCsvFileToSave())
        storage::WriteFileSafely(*path, CsvFileBytes(Report()));
}

}  // namespace app
