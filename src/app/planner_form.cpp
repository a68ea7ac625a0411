#include "app/planner_form.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "app/loan_information.h"
#include "app/loan_input_check.h"
#include "app/main_form.h"
#include "loan/amount_limit.h"
#include "text/errors.h"
#include "loan/number_text.h"
#include "storage/safe_file_writer.h"

namespace app {

namespace {

using loan::PlanIssue;
using loan::PlanIssueKind;
using loan::ScaledAmount;

constexpr double kMaxRate = kMaxRatePercent;

const char* modeText(loan::PrepaymentMode mode) {
    return mode == loan::PrepaymentMode::LowerPayment ? kLowerPaymentText : kShortenTermText;
}

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
      PrepaymentAmount(locale_),
      RateChangeRate(locale_) {
    Sum.MaxValue = loan::kMaxAmountUnits;
    Rate.MaxValue = kMaxRate;
    Term.MaxValue = 100000;
    Payment.MaxValue = loan::kMaxAmountUnits;
    Payment.Enabled = false;
    RateChangeRate.MaxValue = kMaxRate;
    PrepaymentDate.Date = RateChangeDate.Date = loan::IncMonth(LoanDate.Date);
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
    // The editors start a month after the loan rather than before it.
    for (DatePicker* picker : {&PrepaymentDate, &RateChangeDate}) {
        if (picker->Date <= LoanDate.Date)
            picker->Date = loan::IncMonth(LoanDate.Date);
    }
    return calculate(false);
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
    if (refused(CheckTermLimit(term)))
        return false;
    if (!(sum > 0) || term <= 0 || !(rate > 0) || !RateWithinLimit(rate))
        return refuse(kErrorCaption, kMissingInput);
    if (refused(CheckLoanSum(sum)))
        return false;
    terms.sum = loan::ToScaled(sum);
    terms.annualRate = rate;
    terms.termMonths = term;
    terms.loanDate = LoanDate.Date;
    terms.scheme =
        EqualPayments.Checked ? loan::PlanScheme::Annuity : loan::PlanScheme::Differentiated;
    if (refused(CheckWholeKopecks(terms.sum)))
        return false;
    if (EqualPayments.Checked) {
        const double payment = Payment.Value();
        if (!(payment >= 0))
            return refuse(kErrorCaption, "Платеж должен быть не меньше нуля (0 - рассчитать).");
        if (!loan::FitsScaled(payment))
            return refuse(kErrorCaption, "Слишком большой платеж...");
        if (payment > 0) {
            terms.payment = loan::ToScaled(payment);
            if (refused(CheckWholeKopecks(*terms.payment)))
                return false;
        }
    }
    return true;
}

// ---- The lists ---------------------------------------------------------------------------

template <class Item>
bool PlannerForm::addItem(std::vector<Item>& list, const std::optional<Item>& item) {
    if (!item)
        return false;
    list.push_back(*item);
    refresh();
    return true;
}

template <class Item, class Read>
bool PlannerForm::changeItem(std::vector<Item>& list, int index, const char* noSelection,
                             const Read& read) {
    if (index < 0 || index >= static_cast<int>(list.size())) {
        port_.showMessage(kErrorCaption, noSelection);
        return false;
    }
    const std::optional<Item> item = read();
    if (!item)
        return false;
    list[static_cast<std::size_t>(index)] = *item;
    refresh();
    return true;
}

template <class Item>
void PlannerForm::removeItem(std::vector<Item>& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size()))
        return;
    list.erase(list.begin() + index);
    refresh();
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
        return refuse("Слишком большая сумма досрочного погашения...");
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

void PlannerForm::SelectPrepayment(int index) {
    if (index < 0 || index >= static_cast<int>(prepayments_.size())) {
        SelectedPrepayment = -1;
        return;
    }
    SelectedPrepayment = index;
    const loan::Prepayment& prepayment = prepayments_[static_cast<std::size_t>(index)];
    PrepaymentDate.Date = prepayment.date;
    PrepaymentAmount.Text = FormatMoney(prepayment.amount);
    if (prepayment.mode == loan::PrepaymentMode::LowerPayment) {
        LowerPaymentClick();
    } else {
        ShortenTermClick();
    }
    Monthly.Checked = prepayment.monthly;
}

bool PlannerForm::AddPrepaymentClick() {
    if (!AddPrepayment(prepaymentEditor()))
        return false;
    SelectedPrepayment = static_cast<int>(prepayments_.size()) - 1;
    return true;
}

bool PlannerForm::ChangePrepaymentClick() {
    return ChangePrepayment(SelectedPrepayment, prepaymentEditor());
}

void PlannerForm::RemovePrepaymentClick() {
    RemovePrepayment(SelectedPrepayment);
    SelectPrepayment(std::min(SelectedPrepayment, static_cast<int>(prepayments_.size()) - 1));
}

bool PlannerForm::AddPrepayment(const PrepaymentEntry& entry) {
    return addItem(prepayments_, readPrepayment(entry));
}

bool PlannerForm::ChangePrepayment(int index, const PrepaymentEntry& entry) {
    return changeItem(prepayments_, index, "Выберите досрочное погашение в списке.",
                      [&] { return readPrepayment(entry); });
}

void PlannerForm::RemovePrepayment(int index) {
    removeItem(prepayments_, index);
}

std::array<std::string, 4> PlannerForm::PrepaymentTexts(int index) const {
    const loan::Prepayment& prepayment = prepayments_.at(static_cast<std::size_t>(index));
    return {loan::FormatShortDate(prepayment.date), FormatMoney(prepayment.amount),
            modeText(prepayment.mode), prepayment.monthly ? kMonthlyText : ""};
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

void PlannerForm::SelectRateChange(int index) {
    if (index < 0 || index >= static_cast<int>(rateChanges_.size())) {
        SelectedRateChange = -1;
        return;
    }
    SelectedRateChange = index;
    const loan::RateChange& change = rateChanges_[static_cast<std::size_t>(index)];
    RateChangeDate.Date = change.date;
    RateChangeRate.SetValue(change.annualRate);
}

bool PlannerForm::AddRateChangeClick() {
    if (!AddRateChange({RateChangeDate.Date, RateChangeRate.Text}))
        return false;
    SelectedRateChange = static_cast<int>(rateChanges_.size()) - 1;
    return true;
}

bool PlannerForm::ChangeRateChangeClick() {
    return ChangeRateChange(SelectedRateChange, {RateChangeDate.Date, RateChangeRate.Text});
}

void PlannerForm::RemoveRateChangeClick() {
    RemoveRateChange(SelectedRateChange);
    SelectRateChange(std::min(SelectedRateChange, static_cast<int>(rateChanges_.size()) - 1));
}

bool PlannerForm::AddRateChange(const RateChangeEntry& entry) {
    return addItem(rateChanges_, readRateChange(entry));
}

bool PlannerForm::ChangeRateChange(int index, const RateChangeEntry& entry) {
    return changeItem(rateChanges_, index, "Выберите изменение ставки в списке.",
                      [&] { return readRateChange(entry); });
}

void PlannerForm::RemoveRateChange(int index) {
    removeItem(rateChanges_, index);
}

std::array<std::string, 2> PlannerForm::RateChangeTexts(int index) const {
    const loan::RateChange& change = rateChanges_.at(static_cast<std::size_t>(index));
    return {loan::FormatShortDate(change.date),
            loan::GeneralNumberText(change.annualRate, locale_)};
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
    loan::PlanTerms terms;
    if (!readLoan(terms, reportIncomplete)) {
        clearPlan();
        return false;
    }
    terms.prepayments = prepayments_;
    terms.rateChanges = rateChanges_;
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
    fillTable();
    describeIssues();
    return true;
}

void PlannerForm::clearPlan() {
    hasPlan_ = false;
    ++planGeneration_;
    result_ = {};
    refusals_.clear();
    notes_.clear();
    table_.clearRows(1, table_.rowCount());
    table_.setRowCount(1);
}

void PlannerForm::fillTable() {
    const std::vector<loan::PlanRow>& rows = result_.rows;
    const int count = static_cast<int>(rows.size());
    table_.clearRows(1, table_.rowCount());
    table_.setRowCount(count + 2);
    for (int i = 0; i < count; ++i) {
        const loan::PlanRow& row = rows[static_cast<std::size_t>(i)];
        const std::string number = std::to_string(i + 1);
        const std::string date = loan::FormatShortDate(row.date);
        const std::string balance = FormatMoney(row.balance);
        const std::string principal = FormatMoney(row.principal);
        const std::string interest = FormatMoney(row.interest);
        const std::string total = FormatMoney(row.total);
        table_.setRow(i + 1, {number, date, balance, principal, interest, total,
                              row.kind == loan::PlanRowKind::Prepayment ? kPrepaymentRowKind
                                                                        : kRegularRowKind});
    }
    const loan::PlanSummary& summary = result_.summary;
    const std::string principal = FormatMoney(summary.principal);
    const std::string interest = FormatMoney(summary.interest);
    const std::string total = FormatMoney(summary.total);
    table_.setRow(count + 1, {loan::kTotalsLabel, "", "", principal, interest, total, ""});
}

loan::PlanRowKind PlannerForm::RowKind(int row) const {
    if (row < 1 || row > static_cast<int>(result_.rows.size()))
        return loan::PlanRowKind::Regular;
    return result_.rows[static_cast<std::size_t>(row - 1)].kind;
}

void PlannerForm::describeIssues() {
    // A monthly prepayment can fail in many months: it is told once, with the others counted.
    std::vector<std::string> refusals;
    std::vector<std::string> notes;
    std::map<std::tuple<PlanIssueKind, loan::PlanEventKind, int>, int> repeats;
    std::vector<const PlanIssue*> firsts;
    for (const PlanIssue& issue : result_.issues) {
        if (repeats[{issue.kind, issue.event, issue.source}]++ == 0)
            firsts.push_back(&issue);
    }
    for (const PlanIssue* issue : firsts) {
        const bool rateChange = issue->event == loan::PlanEventKind::RateChange;
        const bool monthly =
            !rateChange && terms_.prepayments[static_cast<std::size_t>(issue->source)].monthly;
        const std::string what =
            rateChange ? "Изменение ставки с " + loan::FormatShortDate(issue->date)
            : monthly  ? "Ежемесячное досрочное погашение с " + loan::FormatShortDate(issue->date)
                      : "Досрочное погашение " + loan::FormatShortDate(issue->date);
        switch (issue->kind) {
            case PlanIssueKind::NotAfterLoanDate:
                refusals.push_back(what + " не учтено: оно не позже даты получения кредита (" +
                                   loan::FormatShortDate(terms_.loanDate) + ").");
                break;
            case PlanIssueKind::InterestNotCovered: {
                std::string text = what + " на сумму " + FormatMoney(issue->amount) +
                                   " не учтено: оно не больше процентов на эту дату (" +
                                   FormatMoney(issue->interest) + ").";
                const int more = repeats[{issue->kind, issue->event, issue->source}] - 1;
                if (more > 0)
                    text += " По той же причине не учтено его повторений: " + std::to_string(more) +
                            ".";
                refusals.push_back(std::move(text));
                break;
            }
            case PlanIssueKind::LoanRepaid:
                notes.push_back(what + " не учтено: кредит к этой дате уже погашен.");
                break;
        }
    }
    // A payment below the interest is kept, but warned of: once in a box, and in the notes.
    std::string shortPayment;
    if (const ScaledAmount interest = result_.summary.uncoveredInterest; interest > 0) {
        shortPayment = "Платеж по договору " +
                       FormatMoney(terms_.payment.value_or(result_.summary.firstPayment)) +
                       " не покрывает проценты (" + FormatMoney(interest) +
                       "): в такие месяцы платятся только проценты, а долг переходит на "
                       "последний платеж.";
        if (std::find(notes_.begin(), notes_.end(), shortPayment) == notes_.end())
            port_.showMessage(kAttentionCaption, shortPayment);
        notes.insert(notes.begin(), shortPayment);
    }
    for (const std::string& refusal : refusals) {
        if (std::find(refusals_.begin(), refusals_.end(), refusal) == refusals_.end())
            port_.showMessage(kErrorCaption, refusal);
    }
    refusals_ = std::move(refusals);
    notes_ = std::move(notes);
}

std::string PlannerForm::monthlyPaymentText(const loan::PlanSummary& summary) const {
    // A payment below the interest is not what the rows pay: they pay the interest, and the
    // last one the debt; the comparison shows those.
    if (summary.uncoveredInterest > 0) {
        return FormatMoney(summary.firstRegularTotal) + " / " +
               FormatMoney(summary.lastRegularTotal);
    }
    return FormatMoney(summary.firstPayment) + " / " + FormatMoney(summary.lastPayment);
}

std::array<ComparisonRow, 4> PlannerForm::ComparisonTexts() const {
    // Default-initialised rather than `rows{}`: clang 14, which builds the fuzz targets,
    // crashes on the braces here.
    std::array<ComparisonRow, 4> rows;
    if (!hasPlan_)
        return rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const loan::VariantFigures& figures = result_.comparison[i];
        const loan::PlanSummary& summary = figures.summary;
        rows[i] = {kVariantNames[i],
                   std::to_string(summary.regularPayments),
                   loan::FormatShortDate(summary.lastPaymentDate),
                   monthlyPaymentText(summary),
                   FormatMoney(summary.interest),
                   FormatMoney(summary.total),
                   FormatMoney(figures.interestSaved)};
    }
    return rows;
}

std::vector<BalancePoint> PlannerForm::BalanceCurve(loan::PlanVariant variant) const {
    if (!hasPlan_)
        return {};
    const loan::PlanResult variantResult = variant == loan::PlanVariant::AsEntered
                                               ? loan::PlanResult{}
                                               : loan::RunVariant(terms_, variant);
    const std::vector<loan::PlanRow>& rows =
        variant == loan::PlanVariant::AsEntered ? result_.rows : variantResult.rows;
    std::vector<BalancePoint> points{{terms_.loanDate, terms_.sum}};
    for (const loan::PlanRow& row : rows) {
        const ScaledAmount after = row.balance - row.principal;
        if (points.back().date == row.date) {
            points.back().balance = after;
        } else {
            points.push_back({row.date, after});
        }
    }
    return points;
}

TableReport PlannerForm::Report() const {
    TableReport report;
    report.table = &table_;
    if (!hasPlan_)
        return report;
    const loan::VariantFigures& entered = result_.comparison[0];
    const loan::PlanSummary& summary = entered.summary;
    report.values = {
        {"Ежемесячный платеж", FormatMoney(summary.firstPayment)},
        {"Плановых платежей", std::to_string(summary.regularPayments)},
        {"Последний платеж", loan::FormatShortDate(summary.lastPaymentDate)},
        {"Выплачено процентов", FormatMoney(summary.interest)},
        {"Полная сумма выплат", FormatMoney(summary.total)},
        {"Экономия на процентах", FormatMoney(entered.interestSaved)},
    };
    for (std::size_t i = 1; i < result_.comparison.size(); ++i) {
        const std::string name = kVariantNames[i];
        const loan::VariantFigures& figures = result_.comparison[i];
        report.values.emplace_back(name + ": последний платеж",
                                   loan::FormatShortDate(figures.summary.lastPaymentDate));
        report.values.emplace_back(name + ": ежемесячный платеж",
                                   monthlyPaymentText(figures.summary));
        report.values.emplace_back(name + ": проценты", FormatMoney(figures.summary.interest));
        report.values.emplace_back(name + ": экономия", FormatMoney(figures.interestSaved));
    }
    return report;
}

std::vector<std::string> PlannerForm::InformationLines() const {
    if (!hasPlan_)
        return {};
    const bool annuity = terms_.scheme == loan::PlanScheme::Annuity;
    const std::array<std::string, 4> loanLines = LoanInformationLines(
        FormatMoney(terms_.sum), loan::GeneralNumberText(terms_.annualRate, locale_),
        std::to_string(terms_.termMonths), terms_.loanDate);
    std::vector<std::string> lines(loanLines.begin(), loanLines.end());
    lines.push_back(std::string("Схема погашения        : ") +
                    (annuity ? "равными платежами" : "дифференцированными платежами"));
    lines.push_back("Ежемесячный платеж     : " + FormatMoney(result_.summary.firstPayment) +
                    (annuity && terms_.payment ? "  (по договору)" : ""));
    // A list under its label, the later entries indented to the values' column.
    const auto list = [&lines](const char* label, int count, const auto& entryText) {
        constexpr const char* kIndent = "                         ";
        for (int i = 0; i < std::min(count, kListedEntries); ++i)
            lines.push_back((i == 0 ? std::string(label) : kIndent) + entryText(i));
        if (count > kListedEntries)
            lines.push_back(kIndent + ("... и еще " + std::to_string(count - kListedEntries)));
    };
    list("Досрочные погашения    : ", static_cast<int>(terms_.prepayments.size()), [&](int i) {
        const loan::Prepayment& prepayment = terms_.prepayments[static_cast<std::size_t>(i)];
        return loan::FormatShortDate(prepayment.date) + "  " + FormatMoney(prepayment.amount) +
               "  " + modeText(prepayment.mode) +
               (prepayment.monthly ? std::string(", ") + kMonthlyText : std::string());
    });
    list("Изменения ставки       : ", static_cast<int>(terms_.rateChanges.size()), [&](int i) {
        const loan::RateChange& change = terms_.rateChanges[static_cast<std::size_t>(i)];
        return loan::FormatShortDate(change.date) + "  " +
               loan::GeneralNumberText(change.annualRate, locale_) + " %";
    });
    return lines;
}

loan::ScheduleTable PlannerForm::ComparisonTable() const {
    loan::ScheduleTable table;
    static_assert(kComparisonHeaders.size() == loan::ScheduleTable::kColumnCount);
    for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column)
        table.setCell(column, 0, kComparisonHeaders[static_cast<std::size_t>(column)]);
    table.setRowCount(1);
    if (!hasPlan_)
        return table;
    const std::array<ComparisonRow, 4> rows = ComparisonTexts();
    table.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ComparisonRow& texts = rows[i];
        table.setRow(static_cast<int>(i) + 1,
                     {texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]});
    }
    return table;
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
