#include "loan/plan.h"

#include <algorithm>
#include <cmath>

#include "loan/annuity.h"
#include "loan/monthly_amounts.h"
#include "loan/plan_interest.h"

namespace loan {

namespace {

// The mode a prepayment has in a variant.
PrepaymentMode modeIn(PlanVariant variant, PrepaymentMode given) {
    switch (variant) {
        case PlanVariant::AllShortenTerm:
            return PrepaymentMode::ShortenTerm;
        case PlanVariant::AllLowerPayment:
            return PrepaymentMode::LowerPayment;
        case PlanVariant::AsEntered:
        case PlanVariant::WithoutPrepayments:
            break;
    }
    return given;
}

// The budget a variant has: none without prepayments, else the mode the variant gives.
std::optional<PlanBudget> budgetIn(const PlanTerms& terms, PlanVariant variant) {
    if (!terms.budget || terms.budget->amount <= 0 || variant == PlanVariant::WithoutPrepayments)
        return std::nullopt;
    return PlanBudget{terms.budget->amount, modeIn(variant, terms.budget->mode)};
}

// A rate change as the loop meets it: after the payment of regular date `regular`.
struct RateStep {
    int regular = 0;
    int source = -1;
    std::int64_t rateMillionths = 0;
};

// What every variant of one plan shares: the regular dates with the weights of the periods
// between them, the rate changes in the order they take hold, the prepayments that take part.
struct PlanFrame {
    std::vector<Date> dates;            // [0] the loan date, [k] regular date k
    std::vector<std::int64_t> weights;  // [k] the weight of (dates[k - 1], dates[k]]
    std::int64_t rateMillionths = 0;    // the starting rate
    std::vector<RateStep> rateSteps;
    std::vector<int> prepayments;  // the sources dated after the loan date
};

PlanFrame frameOf(const PlanTerms& terms, std::vector<PlanIssue>* issues) {
    PlanFrame frame;
    const int n = terms.termMonths;
    frame.dates.reserve(static_cast<std::size_t>(std::max(n, 0)) + 1);
    frame.dates.push_back(terms.loanDate);
    for (const Date& date :
         RegularPaymentDates(terms.loanDate, n, terms.paymentDay, terms.shift, terms.isWorkingDay))
        frame.dates.push_back(date);
    frame.weights.resize(frame.dates.size());
    for (std::size_t k = 1; k < frame.dates.size(); ++k)
        frame.weights[k] = YearShareWeight(frame.dates[k - 1], frame.dates[k]);
    frame.rateMillionths = RateMillionths(terms.annualRate);

    const auto tooEarly = [&](const Date& date, PlanEventKind kind, int source,
                              ScaledAmount amount) {
        if (date > terms.loanDate)
            return false;
        if (issues)
            issues->push_back({PlanIssueKind::NotAfterLoanDate, kind, source, date, amount, 0});
        return true;
    };

    // A rate change takes hold on the first regular date on or after its own; later ones on
    // that date come after earlier ones.
    std::vector<int> changes;
    for (int i = 0; i < static_cast<int>(terms.rateChanges.size()); ++i) {
        if (!tooEarly(terms.rateChanges[static_cast<std::size_t>(i)].date,
                      PlanEventKind::RateChange, i, 0))
            changes.push_back(i);
    }
    std::stable_sort(changes.begin(), changes.end(), [&](int a, int b) {
        return terms.rateChanges[static_cast<std::size_t>(a)].date <
               terms.rateChanges[static_cast<std::size_t>(b)].date;
    });
    for (int i : changes) {
        const RateChange& change = terms.rateChanges[static_cast<std::size_t>(i)];
        const auto takesHold =
            std::lower_bound(frame.dates.begin() + 1, frame.dates.end(), change.date);
        if (takesHold != frame.dates.end()) {
            frame.rateSteps.push_back({static_cast<int>(takesHold - frame.dates.begin()), i,
                                       RateMillionths(change.annualRate)});
        } else if (issues) {
            // After the last regular date, which repays whatever is left.
            issues->push_back(
                {PlanIssueKind::LoanRepaid, PlanEventKind::RateChange, i, change.date, 0, 0});
        }
    }

    for (int i = 0; i < static_cast<int>(terms.prepayments.size()); ++i) {
        const Prepayment& prepayment = terms.prepayments[static_cast<std::size_t>(i)];
        if (!tooEarly(prepayment.date, PlanEventKind::Prepayment, i, prepayment.amount))
            frame.prepayments.push_back(i);
    }
    return frame;
}

// A prepayment's next date: its own, or for a monthly one the same day `repeat` months on.
struct PrepaymentDue {
    Date date;
    int source = -1;
    int repeat = 0;
};

// The heap's order: the earliest date on top, on one date the first source given.
bool laterDue(const PrepaymentDue& a, const PrepaymentDue& b) {
    if (a.date != b.date)
        return a.date > b.date;
    return a.source > b.source;
}

// One run of the loop over a plan's events, as the variant has it; the rows are kept only
// when `rows` is given, the issues only when `issues` is.
class PlanRun {
  public:
    PlanRun(const PlanTerms& terms, const PlanFrame& frame, PlanVariant variant,
            std::vector<PlanRow>* rows, std::vector<PlanIssue>* issues)
        : terms_(terms),
          frame_(frame),
          variant_(variant),
          rows_(rows),
          issues_(issues),
          annuity_(terms.scheme == PlanScheme::Annuity),
          budget_(budgetIn(terms, variant)),
          last_(terms.termMonths),
          balance_(terms.sum),
          rate_(terms.annualRate),
          rateMillionths_(frame.rateMillionths),
          previous_(terms.loanDate) {}

    PlanSummary Run() {
        const int n = terms_.termMonths;
        if (n <= 0 || terms_.sum <= 0)
            return {};
        installment_ = annuity_ ? terms_.payment.value_or(PlanAnnuity(balance_, rate_, n))
                                : StandardPrincipal(balance_, n);
        summary_.firstPayment = annuity_ ? installment_ : 0;
        if (variant_ != PlanVariant::WithoutPrepayments) {
            for (int source : frame_.prepayments) {
                const Prepayment& prepayment = terms_.prepayments[static_cast<std::size_t>(source)];
                // A monthly one repeats up to the last regular date, so it may have no date.
                if (!prepayment.monthly || prepayment.date <= frame_.dates.back())
                    due_.push_back({prepayment.date, source, 0});
            }
            std::make_heap(due_.begin(), due_.end(), laterDue);
        }
        if (rows_) {
            std::size_t once = 0;
            for (int source : frame_.prepayments)
                once += !terms_.prepayments[static_cast<std::size_t>(source)].monthly;
            const std::size_t budgetRows = budget_ ? static_cast<std::size_t>(n) : 0;
            rows_->reserve(static_cast<std::size_t>(n) + once + budgetRows);
        }

        int nextRegular = 1;
        std::size_t nextRate = 0;
        while (balance_ > 0) {
            // On one date: the regular payment, its rate changes, then the prepayments.
            const bool regularLeft = nextRegular <= n;
            const bool rateLeft = nextRate < frame_.rateSteps.size();
            const bool prepaymentLeft = !due_.empty();
            if (rateLeft && frame_.rateSteps[nextRate].regular < nextRegular) {
                changeRate(frame_.rateSteps[nextRate++]);
            } else if (regularLeft &&
                       (!prepaymentLeft || !(due_.front().date < frame_.dates[nextRegular]))) {
                payBudget(payRegular(nextRegular++));
            } else if (prepaymentLeft) {
                prepay();
            } else {
                break;
            }
        }
        noteDroppedRateChanges(nextRate);
        noteDroppedPrepayments();
        if (summary_.regularPayments == 0)
            summary_.lastPayment = summary_.firstPayment;
        return summary_;
    }

  private:
    // The weight of the days from `from` to regular date k: the one worked out beforehand
    // when `from` is regular date k - 1.
    std::int64_t weightTo(const Date& from, int k) const {
        const auto at = static_cast<std::size_t>(k);
        return from == frame_.dates[at - 1] ? frame_.weights[at]
                                            : YearShareWeight(from, frame_.dates[at]);
    }

    ScaledAmount record(const Date& date, PlanRowKind kind, int source, ScaledAmount principal,
                        ScaledAmount interest) {
        const ScaledAmount total = AddAmounts(principal, interest);
        if (rows_)
            rows_->push_back({date, kind, source, balance_, principal, interest, total});
        summary_.principal = AddAmounts(summary_.principal, principal);
        summary_.interest = AddAmounts(summary_.interest, interest);
        summary_.total = AddAmounts(summary_.total, total);
        summary_.lastPaymentDate = date;
        balance_ -= principal;
        previous_ = date;
        return total;
    }

    // Returns what the row paid.
    ScaledAmount payRegular(int k) {
        const ScaledAmount interest =
            InterestForWeight(balance_, rateMillionths_, weightTo(previous_, k));
        ScaledAmount principal =
            annuity_ ? std::max<ScaledAmount>(SubtractAmounts(installment_, interest), 0)
                     : installment_;
        if (k >= last_ || principal >= balance_)
            principal = balance_;
        if (annuity_ && installment_ < interest && summary_.uncoveredInterest == 0)
            summary_.uncoveredInterest = interest;
        const ScaledAmount total = record(frame_.dates[static_cast<std::size_t>(k)],
                                          PlanRowKind::Regular, -1, principal, interest);
        regularsPassed_ = k;
        ++summary_.regularPayments;
        if (summary_.regularPayments == 1)
            summary_.firstRegularTotal = total;
        summary_.lastRegularTotal = total;
        summary_.lastPayment = annuity_ ? installment_ : total;
        if (!annuity_ && summary_.regularPayments == 1)
            summary_.firstPayment = total;
        return total;
    }

    // Right after a regular payment of `regularTotal`: the rest of the budget, when there is
    // some, paid early on the same date (so no interest is due for it).
    void payBudget(ScaledAmount regularTotal) {
        if (!budget_ || balance_ == 0)
            return;
        const ScaledAmount amount = SubtractAmounts(budget_->amount, regularTotal);
        if (amount > 0)
            repayEarly(previous_, amount, budget_->mode == PrepaymentMode::ShortenTerm, -1);
    }

    void changeRate(const RateStep& step) {
        if (annuity_)
            settleLastDate();  // at the rate the pending run was to go on with
        rate_ = terms_.rateChanges[static_cast<std::size_t>(step.source)].annualRate;
        rateMillionths_ = step.rateMillionths;
        if (annuity_)
            takeInstallmentAgain();
    }

    void prepay() {
        std::pop_heap(due_.begin(), due_.end(), laterDue);
        const PrepaymentDue due = due_.back();
        due_.pop_back();
        const Prepayment& prepayment = terms_.prepayments[static_cast<std::size_t>(due.source)];
        if (prepayment.monthly) {
            const Date next = IncMonth(prepayment.date, due.repeat + 1);
            if (next <= frame_.dates.back()) {
                due_.push_back({next, due.source, due.repeat + 1});
                std::push_heap(due_.begin(), due_.end(), laterDue);
            }
        }
        const std::optional<ScaledAmount> uncovered =
            repayEarly(due.date, prepayment.amount,
                       modeIn(variant_, prepayment.mode) == PrepaymentMode::ShortenTerm, due.source);
        if (uncovered && issues_) {
            issues_->push_back({PlanIssueKind::InterestNotCovered, PlanEventKind::Prepayment,
                                due.source, due.date, prepayment.amount, *uncovered});
        }
    }

    // An early repayment of `amount` on `date` (a row of `source`), shortening the term or
    // lowering the payment. One that does not exceed the interest due then is not made: that
    // interest is returned; nothing when it was made.
    std::optional<ScaledAmount> repayEarly(const Date& date, ScaledAmount amount, bool shortens,
                                           int source) {
        const ScaledAmount interest =
            InterestForWeight(balance_, rateMillionths_, YearShareWeight(previous_, date));
        if (amount <= interest)
            return interest;
        // The last date a pending "term" prepayment set is known without working it out only
        // while every later one lowers the balance by whole kopecks (see settleLastDate).
        if (!shortens || amount % (kScale / 100) != 0)
            settleLastDate();
        const ScaledAmount principal = std::min(amount - interest, balance_);
        record(date, PlanRowKind::Prepayment, source, principal, interest);
        if (balance_ == 0)
            return std::nullopt;
        if (!shortens) {
            takeInstallmentAgain();
        } else if (annuity_) {
            lastDatePending_ = true;
        } else if (installment_ > 0) {
            // Equal parts repay the balance after as many regular dates as the parts it holds.
            const ScaledAmount parts = (balance_ + installment_ - 1) / installment_;
            if (parts < last_ - regularsPassed_)
                last_ = regularsPassed_ + static_cast<int>(parts);
        }
        return std::nullopt;
    }

    // The annuity (or S / T) taken again on the balance over the regular dates still ahead
    // up to the last one.
    void takeInstallmentAgain() {
        const int ahead = last_ - regularsPassed_;
        if (ahead > 0 && balance_ > 0) {
            installment_ =
                annuity_ ? PlanAnnuity(balance_, rate_, ahead) : StandardPrincipal(balance_, ahead);
        }
    }

    // A "term" prepayment under an annuity moves the last regular date to the one on which
    // the plan, run on from it with no later events, repays the balance. Until an event needs
    // that date, the loop itself is that run: a regular payment that reaches the balance ends
    // the loan there. A later "term" prepayment of whole kopecks only lowers every balance
    // that run would have (interest rounded to the kopeck can add at most one to a period it
    // splits, and the prepayment takes at least one off), so it never ends later and the
    // date stays pending. An event that needs the date works the run out from here, where
    // the loop has followed it so far.
    void settleLastDate() {
        if (!lastDatePending_)
            return;
        lastDatePending_ = false;
        ScaledAmount balance = balance_;
        Date previous = previous_;
        for (int k = regularsPassed_ + 1; k < last_; ++k) {
            const ScaledAmount interest =
                InterestForWeight(balance, rateMillionths_, weightTo(previous, k));
            const ScaledAmount principal =
                std::max<ScaledAmount>(SubtractAmounts(installment_, interest), 0);
            if (principal >= balance) {
                last_ = k;
                return;
            }
            balance -= principal;
            previous = frame_.dates[static_cast<std::size_t>(k)];
        }
    }

    // Rate changes from `next` on would have taken hold on a regular date after the loan was
    // repaid.
    void noteDroppedRateChanges(std::size_t next) {
        for (; issues_ && next < frame_.rateSteps.size(); ++next) {
            const int source = frame_.rateSteps[next].source;
            issues_->push_back({PlanIssueKind::LoanRepaid, PlanEventKind::RateChange, source,
                                terms_.rateChanges[static_cast<std::size_t>(source)].date, 0, 0});
        }
    }

    // Prepayments met after the loan was repaid: each source noted once, at its first such
    // date.
    void noteDroppedPrepayments() {
        std::vector<bool> noted(terms_.prepayments.size());
        while (!due_.empty()) {
            std::pop_heap(due_.begin(), due_.end(), laterDue);
            const PrepaymentDue due = due_.back();
            due_.pop_back();
            if (issues_ && !noted[static_cast<std::size_t>(due.source)]) {
                noted[static_cast<std::size_t>(due.source)] = true;
                issues_->push_back(
                    {PlanIssueKind::LoanRepaid, PlanEventKind::Prepayment, due.source, due.date,
                     terms_.prepayments[static_cast<std::size_t>(due.source)].amount, 0});
            }
        }
    }

    const PlanTerms& terms_;
    const PlanFrame& frame_;
    const PlanVariant variant_;
    std::vector<PlanRow>* const rows_;
    std::vector<PlanIssue>* const issues_;
    const bool annuity_;
    const std::optional<PlanBudget> budget_;

    int last_;  // the current last regular date
    int regularsPassed_ = 0;
    bool lastDatePending_ = false;
    ScaledAmount balance_;
    double rate_;
    std::int64_t rateMillionths_;
    Date previous_;
    ScaledAmount installment_ = 0;
    std::vector<PrepaymentDue> due_;
    PlanSummary summary_;
};

// The variants run on the plan's frame (only the prepayments' use differs); a variant that
// changes nothing of the plan as entered is that plan.
PlanComparison compare(const PlanTerms& terms, const PlanFrame& frame, const PlanSummary& entered) {
    const std::optional<PlanBudget> budget = budgetIn(terms, PlanVariant::AsEntered);
    const auto allIn = [&](PrepaymentMode mode) {
        return (!budget || budget->mode == mode) &&
               std::all_of(terms.prepayments.begin(), terms.prepayments.end(),
                           [&](const Prepayment& prepayment) { return prepayment.mode == mode; });
    };
    PlanComparison comparison{};
    for (std::size_t i = 0; i < kPlanVariants.size(); ++i) {
        const PlanVariant variant = kPlanVariants[i];
        const bool same =
            variant == PlanVariant::AsEntered || (terms.prepayments.empty() && !budget) ||
            (variant == PlanVariant::AllShortenTerm && allIn(PrepaymentMode::ShortenTerm)) ||
            (variant == PlanVariant::AllLowerPayment && allIn(PrepaymentMode::LowerPayment));
        comparison[i].variant = variant;
        comparison[i].summary =
            same ? entered : PlanRun(terms, frame, variant, nullptr, nullptr).Run();
    }
    static_assert(kPlanVariants[1] == PlanVariant::WithoutPrepayments);
    const ScaledAmount baseline = comparison[1].summary.interest;
    for (VariantFigures& figures : comparison)
        figures.interestSaved = SubtractAmounts(baseline, figures.summary.interest);
    return comparison;
}

}  // namespace

Date RegularDate(const Date& loanDate, int k) {
    return IncMonth(loanDate, k);
}

std::vector<Date> PlanPaymentDates(const PlanTerms& terms) {
    return RegularPaymentDates(terms.loanDate, terms.termMonths, terms.paymentDay, terms.shift,
                               terms.isWorkingDay);
}

ScaledAmount PlanAnnuity(ScaledAmount balance, double annualRate, int months) {
    if (annualRate == 0)
        return EvenShare(balance, months);
    const double amount = AnnuityAmount(ToUnitsDouble(balance), annualRate, months);
    // A rate so small that a month's growth vanishes in extended precision.
    if (!std::isfinite(amount))
        return EvenShare(balance, months);
    return ToScaled(RoundFraction(100, amount));
}

PlanResult RunPlan(const PlanTerms& terms) {
    PlanResult result;
    const PlanFrame frame = frameOf(terms, &result.issues);
    result.summary =
        PlanRun(terms, frame, PlanVariant::AsEntered, &result.rows, &result.issues).Run();
    result.comparison = compare(terms, frame, result.summary);
    return result;
}

PlanSummary RunPlanSummary(const PlanTerms& terms) {
    const PlanFrame frame = frameOf(terms, nullptr);
    return PlanRun(terms, frame, PlanVariant::AsEntered, nullptr, nullptr).Run();
}

PlanResult RunVariant(const PlanTerms& terms, PlanVariant variant) {
    PlanResult result;
    const PlanFrame frame = frameOf(terms, nullptr);
    result.summary = PlanRun(terms, frame, variant, &result.rows, nullptr).Run();
    return result;
}

}  // namespace loan
