#pragma once

// The prepayment planner's arithmetic: a loan repaid as a bank computes it (interest by
// actual days, exact and rounded once to the kopeck, an annuity to the kopeck), with early
// repayments that shorten the term or lower the payment, and changes of the rate.
//
// A plan is a list of dated events run through one loop: the regular payments (each month's
// nominal date moved to a working day, see plan_dates.h), the prepayments (a monthly one
// repeated up to the last regular date, made as the loop reaches it), the monthly budget's
// prepayments (one after each regular payment, of the budget less what that payment paid)
// and the rate changes (each moved to the first regular date on or after its own). On one
// date the regular payment comes first, then the budget's prepayment, then the rate changes,
// then the prepayments in the order given. A new kind of event joins the loop as one more
// case.

#include <array>
#include <optional>
#include <vector>

#include "loan/date.h"
#include "loan/money.h"
#include "loan/plan_dates.h"

namespace loan {

enum class PlanScheme { Annuity, Differentiated };

// "term": the monthly payment stays and the last regular date moves to the one on which that
// payment repays the balance; "payment": the payment is taken again on the new balance over
// the regular dates still ahead up to the last one.
enum class PrepaymentMode { ShortenTerm, LowerPayment };

struct Prepayment {
    Date date;
    ScaledAmount amount = 0;
    PrepaymentMode mode = PrepaymentMode::ShortenTerm;
    bool monthly = false;  // repeated on the same day of every later month
};

// "Платить в месяц всего": on every regular date, right after the regular payment, a
// prepayment of the amount less that payment's total (when positive), in the given mode.
struct PlanBudget {
    ScaledAmount amount = 0;
    PrepaymentMode mode = PrepaymentMode::LowerPayment;
};

struct RateChange {
    Date date;
    double annualRate = 0;  // percent
};

struct PlanTerms {
    ScaledAmount sum = 0;
    double annualRate = 0;  // percent
    int termMonths = 0;
    Date loanDate;
    PlanScheme scheme = PlanScheme::Annuity;
    // The annuity as the bank's contract states it, instead of the computed one.
    std::optional<ScaledAmount> payment;
    std::vector<Prepayment> prepayments;
    std::vector<RateChange> rateChanges;
    // A monthly budget; none when empty.
    std::optional<PlanBudget> budget;
    // 1..31: the regular payments fall on that day of each month (clipped to a shorter
    // month); 0: on the loan date's day.
    int paymentDay = 0;
    PaymentShift shift = PaymentShift::Next;
    // The days payments may be made on; empty: every day, so no payment is moved.
    WorkingDayTest isWorkingDay;
};

// The kinds of event the loop runs, in their order on one date. The budget's prepayment
// follows the regular payment it completes and makes a prepayment row of no source (-1).
enum class PlanEventKind : unsigned char { RegularPayment, Budget, RateChange, Prepayment };

// Why an entry of the lists took no part in the plan.
enum class PlanIssueKind {
    NotAfterLoanDate,    // dated on or before the loan date
    InterestNotCovered,  // a prepayment not above the interest due on its date
    LoanRepaid,          // a prepayment after the loan was repaid (the first one of a
                         // source), or a rate change that would take hold after it
};

struct PlanIssue {
    PlanIssueKind kind;
    PlanEventKind event;
    int source = -1;
    Date date;
    ScaledAmount amount = 0;    // the prepayment's amount
    ScaledAmount interest = 0;  // InterestNotCovered: the interest due on its date
};

enum class PlanRowKind { Regular, Prepayment };

struct PlanRow {
    Date date;
    PlanRowKind kind = PlanRowKind::Regular;
    int source = -1;           // Prepayment: the index in the terms' list; -1 the budget's
    ScaledAmount balance = 0;  // before the payment
    ScaledAmount principal = 0;
    ScaledAmount interest = 0;
    ScaledAmount total = 0;
};

struct PlanSummary {
    int regularPayments = 0;
    Date lastPaymentDate;
    // The monthly payment at the start and at the last regular payment: the annuity in
    // force, or the differentiated payment's total.
    ScaledAmount firstPayment = 0;
    ScaledAmount lastPayment = 0;
    // What the first and the last regular row pay, and the first interest that a regular
    // annuity payment fell short of (0 when every payment covered its interest; the rows then
    // pay the interest alone and the last one the whole debt).
    ScaledAmount firstRegularTotal = 0;
    ScaledAmount lastRegularTotal = 0;
    ScaledAmount uncoveredInterest = 0;
    ScaledAmount principal = 0;
    ScaledAmount interest = 0;
    ScaledAmount total = 0;
};

enum class PlanVariant { AsEntered, WithoutPrepayments, AllShortenTerm, AllLowerPayment };
inline constexpr std::array<PlanVariant, 4> kPlanVariants = {
    PlanVariant::AsEntered, PlanVariant::WithoutPrepayments, PlanVariant::AllShortenTerm,
    PlanVariant::AllLowerPayment};

struct VariantFigures {
    PlanVariant variant;
    PlanSummary summary;
    ScaledAmount interestSaved = 0;  // against the variant without prepayments
};
using PlanComparison = std::array<VariantFigures, kPlanVariants.size()>;

struct PlanResult {
    std::vector<PlanRow> rows;
    std::vector<PlanIssue> issues;
    PlanSummary summary;
    // The plan as entered and the three other variants, in the order of kPlanVariants.
    PlanComparison comparison{};
};

// Regular date k: the loan date plus k calendar months, the day clipped to a shorter month.
Date RegularDate(const Date& loanDate, int k);

// The dates the regular payments 1..n of the terms are made on (payment day and shift applied).
std::vector<Date> PlanPaymentDates(const PlanTerms& terms);

// The annuity on `balance` at `annualRate` over `months`, to the kopeck (a half kopeck up);
// a rate of 0 spreads the balance evenly (an instalment plan), a half kopeck up.
ScaledAmount PlanAnnuity(ScaledAmount balance, double annualRate, int months);

// Runs the plan and its variants. Without a sum above 0 and a term of at least one month it
// is empty; throws AmountOverflow when an amount leaves 64 bits.
PlanResult RunPlan(const PlanTerms& terms);

// The summary of the plan as entered alone: no rows, issues or variants (what a search over
// many plans needs).
PlanSummary RunPlanSummary(const PlanTerms& terms);

// The rows and summary of one variant: the same loan with the prepayments (and the budget)
// left out or all given one mode, rate changes kept (no issues, no comparison).
PlanResult RunVariant(const PlanTerms& terms, PlanVariant variant);

}  // namespace loan
