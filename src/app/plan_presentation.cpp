#include "app/plan_presentation.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "app/loan_information.h"
#include "loan/money.h"
#include "loan/number_text.h"

namespace app {

namespace {

using loan::PlanIssue;
using loan::PlanIssueKind;
using loan::ScaledAmount;

const char* modeText(loan::PrepaymentMode mode) {
    return mode == loan::PrepaymentMode::LowerPayment ? kLowerPaymentText : kShortenTermText;
}

}  // namespace

std::array<std::string, 4> PrepaymentTexts(const loan::Prepayment& prepayment,
                                           const loan::Locale& locale) {
    return {loan::FormatShortDate(prepayment.date), loan::FormatMoney(prepayment.amount, locale),
            modeText(prepayment.mode), prepayment.monthly ? kMonthlyText : ""};
}

std::array<std::string, 2> RateChangeTexts(const loan::RateChange& change,
                                           const loan::Locale& locale) {
    return {loan::FormatShortDate(change.date), loan::GeneralNumberText(change.annualRate, locale)};
}

std::string PlanPresentation::money(ScaledAmount amount) const {
    return loan::FormatMoney(amount, locale_);
}

void PlanPresentation::FillTable(loan::ScheduleTable& table) const {
    const std::vector<loan::PlanRow>& rows = result_.rows;
    const int count = static_cast<int>(rows.size());
    table.clearRows(1, table.rowCount());
    table.setRowCount(count + 2);
    for (int i = 0; i < count; ++i) {
        const loan::PlanRow& row = rows[static_cast<std::size_t>(i)];
        const std::string number = std::to_string(i + 1);
        const std::string date = loan::FormatShortDate(row.date);
        const std::string balance = money(row.balance);
        const std::string principal = money(row.principal);
        const std::string interest = money(row.interest);
        const std::string total = money(row.total);
        table.setRow(i + 1, {number, date, balance, principal, interest, total,
                             row.kind == loan::PlanRowKind::Prepayment ? kPrepaymentRowKind
                                                                       : kRegularRowKind});
    }
    const loan::PlanSummary& summary = result_.summary;
    const std::string principal = money(summary.principal);
    const std::string interest = money(summary.interest);
    const std::string total = money(summary.total);
    table.setRow(count + 1, {loan::kTotalsLabel, "", "", principal, interest, total, ""});
}

PlanIssueTexts PlanPresentation::IssueTexts() const {
    PlanIssueTexts texts;
    std::map<std::tuple<PlanIssueKind, loan::PlanEventKind, int>, int> repeats;
    std::vector<const PlanIssue*> firsts;
    for (const PlanIssue& issue : result_.issues) {
        if (repeats[{issue.kind, issue.event, issue.source}]++ == 0)
            firsts.push_back(&issue);
    }
    for (const PlanIssue* issue : firsts) {
        const bool rateChange = issue->event == loan::PlanEventKind::RateChange;
        const int more = repeats[{issue->kind, issue->event, issue->source}] - 1;
        switch (issue->kind) {
            case PlanIssueKind::NotAfterLoanDate:
                texts.refusals.push_back(entryText(*issue) +
                                         " не учтено: оно не позже даты получения кредита (" +
                                         loan::FormatShortDate(terms_.loanDate) + ").");
                break;
            case PlanIssueKind::InterestNotCovered: {
                std::string text = entryText(*issue) + " на сумму " + money(issue->amount) +
                                   " не учтено" + occurrenceText(*issue) +
                                   ": оно не больше процентов на эту дату (" +
                                   money(issue->interest) + ").";
                if (more > 0)
                    text += " По той же причине не учтено его повторений: " + std::to_string(more) +
                            ".";
                texts.refusals.push_back(std::move(text));
                break;
            }
            case PlanIssueKind::LoanRepaid:
                if (rateChange && issue->date <= result_.summary.lastPaymentDate) {
                    // Dated before the end, it would take hold on a regular date after it.
                    texts.notes.push_back(entryText(*issue) + " не учтено: кредит погашен " +
                                          loan::FormatShortDate(result_.summary.lastPaymentDate) +
                                          ", раньше, чем новая ставка вступила бы в силу.");
                } else {
                    texts.notes.push_back(entryText(*issue) + " не учтено" +
                                          occurrenceText(*issue) +
                                          ": кредит к этой дате уже погашен.");
                }
                break;
        }
    }
    // A payment below the interest is kept, but warned of. A computed annuity falls short
    // too, in a 31-day month at a rate high enough.
    if (const ScaledAmount interest = result_.summary.uncoveredInterest; interest > 0) {
        texts.shortPayment = (terms_.payment ? "Платеж по договору " : "Ежемесячный платеж ") +
                             money(terms_.payment.value_or(result_.summary.firstPayment)) +
                             " не покрывает проценты (" + money(interest) +
                             "): в такие месяцы платятся только проценты, а долг переходит на "
                             "последний платеж.";
        texts.notes.insert(texts.notes.begin(), texts.shortPayment);
    }
    return texts;
}

// The entry an issue speaks of, by the date it was entered with.
std::string PlanPresentation::entryText(const PlanIssue& issue) const {
    if (issue.event == loan::PlanEventKind::RateChange)
        return "Изменение ставки с " + loan::FormatShortDate(issue.date);
    const loan::Prepayment& entry = terms_.prepayments[static_cast<std::size_t>(issue.source)];
    if (entry.monthly)
        return "Ежемесячное досрочное погашение с " + loan::FormatShortDate(entry.date);
    return "Досрочное погашение " + loan::FormatShortDate(entry.date);
}

// For a monthly prepayment, the repetition an issue is about: " с DATE" where the ones from
// then on were left out, " DATE" where that one was; nothing where it is the entry's date.
std::string PlanPresentation::occurrenceText(const PlanIssue& issue) const {
    if (issue.event != loan::PlanEventKind::Prepayment)
        return "";
    const loan::Prepayment& entry = terms_.prepayments[static_cast<std::size_t>(issue.source)];
    if (!entry.monthly || issue.date == entry.date)
        return "";
    return (issue.kind == PlanIssueKind::LoanRepaid ? " с " : " ") +
           loan::FormatShortDate(issue.date);
}

std::string PlanPresentation::monthlyPaymentText(const loan::PlanSummary& summary) const {
    // A payment below the interest is not what the rows pay: they pay the interest, and the
    // last one the debt; the comparison shows those.
    if (summary.uncoveredInterest > 0)
        return money(summary.firstRegularTotal) + " / " + money(summary.lastRegularTotal);
    return money(summary.firstPayment) + " / " + money(summary.lastPayment);
}

std::array<ComparisonRow, 4> PlanPresentation::ComparisonTexts() const {
    // Default-initialised rather than `rows{}`: clang 14, which builds the fuzz targets,
    // crashes on the braces here.
    std::array<ComparisonRow, 4> rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const loan::VariantFigures& figures = result_.comparison[i];
        const loan::PlanSummary& summary = figures.summary;
        rows[i] = {kVariantNames[i],
                   std::to_string(summary.regularPayments),
                   loan::FormatShortDate(summary.lastPaymentDate),
                   monthlyPaymentText(summary),
                   money(summary.interest),
                   money(summary.total),
                   money(figures.interestSaved)};
    }
    return rows;
}

std::array<ComparisonLine, 4> PlanPresentation::ComparisonLines() const {
    // Default-initialised for clang 14, as above.
    std::array<ComparisonLine, 4> lines;
    const std::array<int, 4> shorter = ShorterTermMonths();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const loan::VariantFigures& figures = result_.comparison[i];
        const loan::PlanSummary& summary = figures.summary;
        lines[i] = {kVariantNames[i],
                    std::to_string(summary.regularPayments),
                    std::to_string(shorter[i]),
                    loan::FormatShortDate(summary.lastPaymentDate),
                    money(summary.firstRegularTotal),
                    money(summary.lastRegularTotal),
                    money(summary.interest),
                    money(summary.total),
                    money(figures.interestSaved)};
    }
    return lines;
}

std::vector<PlanRowMarks> PlanPresentation::RowMarks() const {
    std::vector<PlanRowMarks> marks;
    marks.reserve(result_.rows.size());
    const bool annuity = terms_.scheme == loan::PlanScheme::Annuity;
    int regular = 0;
    for (const loan::PlanRow& row : result_.rows) {
        PlanRowMarks mark;
        mark.balanceAfter = money(row.balance - row.principal);
        if (row.kind == loan::PlanRowKind::Regular) {
            const loan::Date nominal =
                loan::NominalPaymentDate(terms_.loanDate, terms_.paymentDay, ++regular);
            if (nominal != row.date)
                mark.moved = "перенесено с " + loan::FormatShortDate(nominal) + ": нерабочий день";
            // An annuity row that pays no principal while a debt is left paid its interest
            // alone: the payment did not exceed it.
            if (annuity && row.principal == 0 && row.interest > 0 && row.balance > 0) {
                mark.interestOnly = "платеж не больше процентов за период (" +
                                    money(row.interest) +
                                    "): платятся только проценты, долг не уменьшается";
            }
        }
        marks.push_back(std::move(mark));
    }
    return marks;
}

std::string PlanPresentation::NextRegularTotal(const loan::Date& date) const {
    // On a regular date the regular payment comes first: the one that follows is later.
    const auto next = std::find_if(result_.rows.begin(), result_.rows.end(),
                                   [&](const loan::PlanRow& row) {
                                       return row.kind == loan::PlanRowKind::Regular &&
                                              date < row.date;
                                   });
    return next == result_.rows.end() ? std::string() : money(next->total);
}

std::array<int, 4> PlanPresentation::ShorterTermMonths() const {
    const int regularWithout = result_.comparison[1].summary.regularPayments;
    std::array<int, 4> months{};
    for (std::size_t i = 0; i < months.size(); ++i)
        months[i] = regularWithout - result_.comparison[i].summary.regularPayments;
    return months;
}

std::vector<std::pair<std::string, std::string>> PlanPresentation::ReportValues() const {
    const loan::VariantFigures& entered = result_.comparison[0];
    const loan::PlanSummary& summary = entered.summary;
    const int regularWithout = result_.comparison[1].summary.regularPayments;
    std::vector<std::pair<std::string, std::string>> values = {
        {"Ежемесячный платеж", money(summary.firstPayment)},
    };
    if (terms_.budget)
        values.emplace_back(kBudgetLabel, money(terms_.budget->amount));
    values.insert(values.end(), {
        {"Плановых платежей", std::to_string(summary.regularPayments)},
        {"Срок короче, мес.", std::to_string(regularWithout - summary.regularPayments)},
        {"Последний платеж", loan::FormatShortDate(summary.lastPaymentDate)},
        {"Выплачено процентов", money(summary.interest)},
        {"Полная сумма выплат", money(summary.total)},
        {"Экономия на процентах", money(entered.interestSaved)},
    });
    // Every figure of a variant on a line of its own, so that a spreadsheet reads it.
    for (std::size_t i = 1; i < result_.comparison.size(); ++i) {
        const std::string name = kVariantNames[i];
        const loan::VariantFigures& figures = result_.comparison[i];
        const loan::PlanSummary& variant = figures.summary;
        values.emplace_back(name + ": последний платеж",
                            loan::FormatShortDate(variant.lastPaymentDate));
        values.emplace_back(name + ": плановых платежей", std::to_string(variant.regularPayments));
        values.emplace_back(name + ": срок короче, мес.",
                            std::to_string(regularWithout - variant.regularPayments));
        values.emplace_back(name + ": первый платеж", money(variant.firstRegularTotal));
        values.emplace_back(name + ": сумма последнего платежа", money(variant.lastRegularTotal));
        values.emplace_back(name + ": проценты", money(variant.interest));
        values.emplace_back(name + ": экономия", money(figures.interestSaved));
    }
    return values;
}

std::vector<BalancePoint> PlanPresentation::BalanceCurve(loan::PlanVariant variant) const {
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

std::vector<std::string> PlanPresentation::InformationLines(int listed) const {
    const bool annuity = terms_.scheme == loan::PlanScheme::Annuity;
    const std::array<std::string, 4> loanLines =
        LoanInformationLines(money(terms_.sum), loan::GeneralNumberText(terms_.annualRate, locale_),
                             std::to_string(terms_.termMonths), terms_.loanDate);
    std::vector<std::string> lines(loanLines.begin(), loanLines.end());
    lines.push_back(std::string("Схема погашения        : ") +
                    (annuity ? "равными платежами" : "дифференцированными платежами"));
    lines.push_back("Ежемесячный платеж     : " + money(result_.summary.firstPayment) +
                    (annuity && terms_.payment ? "  (по договору)" : ""));
    // A list under its label, the later entries indented to the values' column.
    const auto list = [&lines, listed](const char* label, int count, const auto& entryText) {
        constexpr const char* kIndent = "                         ";
        for (int i = 0; i < std::min(count, listed); ++i)
            lines.push_back((i == 0 ? std::string(label) : kIndent) + entryText(i));
        if (count > listed)
            lines.push_back(kIndent + ("... и еще " + std::to_string(count - listed)));
    };
    list("Досрочные погашения    : ", static_cast<int>(terms_.prepayments.size()), [&](int i) {
        const loan::Prepayment& prepayment = terms_.prepayments[static_cast<std::size_t>(i)];
        return loan::FormatShortDate(prepayment.date) + "  " + money(prepayment.amount) + "  " +
               modeText(prepayment.mode) +
               (prepayment.monthly ? std::string(", ") + kMonthlyText : std::string());
    });
    if (terms_.budget) {
        lines.push_back("Бюджет в месяц         : " + money(terms_.budget->amount) + "  " +
                        modeText(terms_.budget->mode));
    }
    list("Изменения ставки       : ", static_cast<int>(terms_.rateChanges.size()), [&](int i) {
        const loan::RateChange& change = terms_.rateChanges[static_cast<std::size_t>(i)];
        return loan::FormatShortDate(change.date) + "  " +
               loan::GeneralNumberText(change.annualRate, locale_) + " %";
    });
    return lines;
}

}  // namespace app
