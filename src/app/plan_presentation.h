#pragma once

// How the prepayment planner shows a computed plan: the texts of its table and of its list
// entries, why entries took no part, the comparison of the four variants, the values of the
// report that --csv prints and "Экспорт в CSV..." writes, the lines above the printout and
// the balance curve of the chart. It only reads the plan; the planner's form decides when.

#include <array>
#include <span>
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

// The comparison as a table of its own: the headers, then the rows given.
loan::ScheduleTable ComparisonTableOf(std::span<const ComparisonRow> rows);

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
    std::string monthlyPaymentText(const loan::PlanSummary& summary) const;

    const loan::PlanTerms& terms_;
    const loan::PlanResult& result_;
    const loan::Locale& locale_;
};

}  // namespace app
