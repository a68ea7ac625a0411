#pragma once

// How the prepayment planner shows a computed plan: the texts of its table and of its list
// entries, why entries took no part, the comparison of the four variants, the values of the
// report that --csv prints and "Экспорт в CSV..." writes, the lines above the printout and
// the balance curve of the chart. It only reads the plan; the planner's form decides when.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "loan/plan.h"
#include "loan/schedule_table.h"
#include "text/locale.h"

namespace app {

inline constexpr loan::HeaderTexts kPlanHeaders = {
    "№",          "Дата", "Остаток кредита", "Основной платеж", "Проценты", "Всего за платеж",
    "Вид платежа"};
// The report's column after those of the table: the balance once the row is paid.
inline constexpr const char* kBalanceAfterHeader = "Остаток после платежа";
inline constexpr const char* kRegularRowKind = "плановый";
inline constexpr const char* kPrepaymentRowKind = "досрочный";

// The modes as the prepayment list shows them.
inline constexpr const char* kShortenTermText = "сокращение срока";
inline constexpr const char* kLowerPaymentText = "уменьшение платежа";
inline constexpr const char* kMonthlyText = "ежемесячно";
// The summary line of the monthly budget ("Платить в месяц всего"), when there is one.
inline constexpr const char* kBudgetLabel = "Бюджет в месяц";

// The variants in the order of loan::kPlanVariants.
inline constexpr std::array<const char*, 4> kVariantNames = {
    "Введенный план", "Без досрочных погашений", "Сокращение срока", "Уменьшение платежа"};
inline constexpr std::array<const char*, 7> kComparisonHeaders = {"Вариант",
                                                                  "Плановых платежей",
                                                                  "Последний платеж",
                                                                  "Ежемесячный платеж",
                                                                  "Выплачено процентов",
                                                                  "Полная сумма выплат",
                                                                  "Экономия на процентах"};
using ComparisonRow = std::array<std::string, kComparisonHeaders.size()>;
// The months a variant saves on the term, as the summary lines of --csv name them.
inline constexpr const char* kShorterTermHeader = "Срок короче, мес.";

// The comparison as the window shows it, every figure in a column of its own: the term saved
// in regular payments against the plan without prepayments, what the first and the last
// regular payment come to.
inline constexpr std::array<const char*, 9> kComparisonColumns = {"Вариант",
                                                                  "Плановых платежей",
                                                                  kShorterTermHeader,
                                                                  "Дата последнего платежа",
                                                                  "Первый платеж",
                                                                  "Последний платеж",
                                                                  "Выплачено процентов",
                                                                  "Полная сумма выплат",
                                                                  "Экономия на процентах"};
using ComparisonLine = std::array<std::string, kComparisonColumns.size()>;

// What a row of the plan tells beyond its cells.
struct PlanRowMarks {
    std::string balanceAfter;  // the balance once the row is paid
    // "перенесено с 01.01.2020: нерабочий день" for a regular payment made on another day
    // than its nominal date; empty otherwise.
    std::string moved;
    // For a regular payment not above its period's interest (a contract payment too small
    // for the rate): it pays the interest alone and the debt stays. Empty otherwise.
    std::string interestOnly;
};

// One point of the remaining balance for the chart: the balance after the payments of a date.
struct BalancePoint {
    loan::Date date;
    loan::ScaledAmount balance = 0;
};

// Date, amount, mode and "ежемесячно" (or empty) of a prepayment, as its list shows them.
std::array<std::string, 4> PrepaymentTexts(const loan::Prepayment& prepayment,
                                           const loan::Locale& locale);
// Date and rate of a rate change.
std::array<std::string, 2> RateChangeTexts(const loan::RateChange& change,
                                           const loan::Locale& locale);

// What the plan's entries came to, as the person reads it.
struct PlanIssueTexts {
    // Entries refused: before the loan, or not above the interest of their date.
    std::vector<std::string> refusals;
    // The contract payment below the interest first, if it is, then the entries the repaid
    // loan left out.
    std::vector<std::string> notes;
    // That warning about the payment alone; empty when the payment covers the interest.
    std::string shortPayment;
};

// A computed plan, its terms and result kept by the caller, shown under a locale.
class PlanPresentation {
  public:
    PlanPresentation(const loan::PlanTerms& terms, const loan::PlanResult& result,
                     const loan::Locale& locale)
        : terms_(terms), result_(result), locale_(locale) {}

    // The rows below the header of `table` (row 0): a row per payment and the totals row
    // "Всего:".
    void FillTable(loan::ScheduleTable& table) const;
    // An entry failing on many dates (a monthly prepayment) is told once, the others counted.
    PlanIssueTexts IssueTexts() const;
    // The four variants as the comparison table shows them.
    std::array<ComparisonRow, 4> ComparisonTexts() const;
    // The same with a column a figure, for the window.
    std::array<ComparisonLine, 4> ComparisonLines() const;
    // A mark a row of the plan, in the order of the rows.
    std::vector<PlanRowMarks> RowMarks() const;
    // What the first regular payment after `date` comes to; empty when none is left.
    std::string NextRegularTotal(const loan::Date& date) const;
    // For each variant, the regular payments of the loan without prepayments less its own.
    std::array<int, 4> ShorterTermMonths() const;
    // The name;value lines of the report: the plan (its budget after the monthly payment, when
    // it has one), then the three other variants.
    std::vector<std::pair<std::string, std::string>> ReportValues() const;
    // The remaining balance of a variant from the loan date on.
    std::vector<BalancePoint> BalanceCurve(loan::PlanVariant variant) const;
    // The loan (sum, rate, term, date, scheme, monthly payment), then the prepayments, the
    // budget and the rate changes, at most `listed` of each with a count of the others, every label padded to 25
    // characters with its ": " so that the values line up in a fixed-pitch font.
    std::vector<std::string> InformationLines(int listed) const;

  private:
    std::string money(loan::ScaledAmount amount) const;
    std::string entryText(const loan::PlanIssue& issue) const;
    std::string occurrenceText(const loan::PlanIssue& issue) const;
    std::string monthlyPaymentText(const loan::PlanSummary& summary) const;

    const loan::PlanTerms& terms_;
    const loan::PlanResult& result_;
    const loan::Locale& locale_;
};

}  // namespace app
