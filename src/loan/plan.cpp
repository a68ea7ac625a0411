#include "loan/plan.h"

#include <algorithm>
#include <cmath>

#include "loan/annuity.h"
#include "loan/interest.h"
#include "loan/monthly_amounts.h"

namespace loan {

namespace {

// The order of the kinds on one date.
int dayOrder(PlanEventKind kind) {
    switch (kind) {
        case PlanEventKind::RegularPayment:
            return 0;
        case PlanEventKind::RateChange:
            return 1;
        case PlanEventKind::Prepayment:
            break;
    }
    return 2;
}

ScaledAmount interestFor(ScaledAmount balance, double annualRate, const Date& date,
                         const Date& previous) {
    if (date == previous)
        return 0;
    return ToScaled(InterestBetween(ToUnitsDouble(balance), annualRate, date, previous));
}

bool eventBefore(const PlanEvent& a, const PlanEvent& b) {
    if (a.date != b.date)
        return a.date < b.date;
    return dayOrder(a.kind) < dayOrder(b.kind);
}

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

// The loop over the events of the terms, run as the variant has it; the rows are kept only
// when `rows` is given, the issues only when `issues` is.
PlanSummary runEvents(const PlanTerms& terms, const std::vector<PlanEvent>& events,
                      PlanVariant variant, std::vector<PlanRow>* rows,
                      std::vector<PlanIssue>* issues) {
    const int n = terms.termMonths;
    if (n <= 0 || terms.sum <= 0)
        return {};
    const bool annuity = terms.scheme == PlanScheme::Annuity;
    const bool withPrepayments = variant != PlanVariant::WithoutPrepayments;

    ScaledAmount balance = terms.sum;
    double rate = terms.annualRate;
    Date previous = terms.loanDate;
    int regularsPassed = 0;  // regular dates on or before the current event
    ScaledAmount installment = annuity ? terms.payment.value_or(PlanAnnuity(balance, rate, n))
                                       : StandardPrincipal(balance, n);
    std::vector<bool> repaidNoted(terms.prepayments.size());

    PlanSummary summary;
    summary.firstPayment = annuity ? installment : 0;
    const auto record = [&](const PlanEvent& event, PlanRowKind kind, ScaledAmount principal,
                            ScaledAmount interest) {
        const ScaledAmount total = AddAmounts(principal, interest);
        if (rows)
            rows->push_back({event.date, kind, event.source, balance, principal, interest, total});
        summary.principal = AddAmounts(summary.principal, principal);
        summary.interest = AddAmounts(summary.interest, interest);
        summary.total = AddAmounts(summary.total, total);
        summary.lastPaymentDate = event.date;
        balance -= principal;
        previous = event.date;
        return total;
    };
    const auto recompute = [&](int monthsAhead) {
        if (monthsAhead > 0 && balance > 0) {
            installment = annuity ? PlanAnnuity(balance, rate, monthsAhead)
                                  : StandardPrincipal(balance, monthsAhead);
        }
    };

    for (const PlanEvent& event : events) {
        if (event.kind == PlanEventKind::Prepayment && !withPrepayments)
            continue;
        if (balance == 0) {
            if (event.kind == PlanEventKind::Prepayment && !repaidNoted[event.source]) {
                repaidNoted[event.source] = true;
                if (issues) {
                    issues->push_back({PlanIssueKind::LoanRepaid, event.kind, event.source,
                                       event.date, terms.prepayments[event.source].amount, 0});
                }
            }
            continue;
        }
        switch (event.kind) {
            case PlanEventKind::RegularPayment: {
                const ScaledAmount interest = interestFor(balance, rate, event.date, previous);
                ScaledAmount principal =
                    annuity ? std::max<ScaledAmount>(SubtractAmounts(installment, interest), 0)
                            : installment;
                if (event.regular == n || principal >= balance)
                    principal = balance;
                if (annuity && installment < interest && summary.uncoveredInterest == 0)
                    summary.uncoveredInterest = interest;
                const ScaledAmount total = record(event, PlanRowKind::Regular, principal, interest);
                regularsPassed = event.regular;
                ++summary.regularPayments;
                if (summary.regularPayments == 1)
                    summary.firstRegularTotal = total;
                summary.lastRegularTotal = total;
                summary.lastPayment = annuity ? installment : total;
                if (!annuity && summary.regularPayments == 1)
                    summary.firstPayment = total;
                break;
            }
            case PlanEventKind::RateChange:
                rate = terms.rateChanges[event.source].annualRate;
                if (annuity)
                    recompute(n - regularsPassed);
                break;
            case PlanEventKind::Prepayment: {
                const Prepayment& prepayment = terms.prepayments[event.source];
                const ScaledAmount interest = interestFor(balance, rate, event.date, previous);
                if (prepayment.amount <= interest) {
                    if (issues) {
                        issues->push_back({PlanIssueKind::InterestNotCovered, event.kind,
                                           event.source, event.date, prepayment.amount, interest});
                    }
                    break;
                }
                const ScaledAmount principal = std::min(prepayment.amount - interest, balance);
                record(event, PlanRowKind::Prepayment, principal, interest);
                if (modeIn(variant, prepayment.mode) == PrepaymentMode::LowerPayment)
                    recompute(n - regularsPassed);
                break;
            }
        }
    }
    if (summary.regularPayments == 0)
        summary.lastPayment = summary.firstPayment;
    return summary;
}

// The variants run on the plan's events (only the prepayments' use differs); a variant that
// changes nothing of the plan as entered is that plan.
PlanComparison compare(const PlanTerms& terms, const std::vector<PlanEvent>& events,
                       const PlanSummary& entered) {
    const auto allIn = [&](PrepaymentMode mode) {
        return std::all_of(terms.prepayments.begin(), terms.prepayments.end(),
                           [&](const Prepayment& prepayment) { return prepayment.mode == mode; });
    };
    PlanComparison comparison{};
    for (std::size_t i = 0; i < kPlanVariants.size(); ++i) {
        const PlanVariant variant = kPlanVariants[i];
        const bool same =
            variant == PlanVariant::AsEntered || terms.prepayments.empty() ||
            (variant == PlanVariant::AllShortenTerm && allIn(PrepaymentMode::ShortenTerm)) ||
            (variant == PlanVariant::AllLowerPayment && allIn(PrepaymentMode::LowerPayment));
        comparison[i].variant = variant;
        comparison[i].summary =
            same ? entered : runEvents(terms, events, variant, nullptr, nullptr);
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

ScaledAmount PlanAnnuity(ScaledAmount balance, double annualRate, int months) {
    const double amount = AnnuityAmount(ToUnitsDouble(balance), annualRate, months);
    // A rate of 0, or one so small that a month's growth vanishes in extended precision.
    if (!std::isfinite(amount))
        return StandardPrincipal(balance, months);
    return ToScaled(RoundFraction(100, amount));
}

namespace {

// The events of the plan in the order they are run; entries dated on or before the loan
// date are left out and, when `issues` is given, reported there.
std::vector<PlanEvent> PlanEvents(const PlanTerms& terms,
                                  std::vector<PlanIssue>* issues = nullptr) {
    const int n = terms.termMonths;
    std::vector<Date> regularDates;
    regularDates.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int k = 1; k <= n; ++k) regularDates.push_back(RegularDate(terms.loanDate, k));
    const Date lastRegular = regularDates.empty() ? terms.loanDate : regularDates.back();

    // The rate changes and prepayments, sorted, are merged into the regular payments.
    std::vector<PlanEvent> events;

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
        const auto takesHold =
            std::lower_bound(regularDates.begin(), regularDates.end(),
                             terms.rateChanges[static_cast<std::size_t>(i)].date);
        if (takesHold != regularDates.end())
            events.push_back({*takesHold, PlanEventKind::RateChange, 0, i});
    }

    for (int i = 0; i < static_cast<int>(terms.prepayments.size()); ++i) {
        const Prepayment& prepayment = terms.prepayments[static_cast<std::size_t>(i)];
        if (tooEarly(prepayment.date, PlanEventKind::Prepayment, i, prepayment.amount))
            continue;
        if (!prepayment.monthly) {
            events.push_back({prepayment.date, PlanEventKind::Prepayment, 0, i});
            continue;
        }
        for (int month = 0;; ++month) {
            const Date date = IncMonth(prepayment.date, month);
            if (date > lastRegular)
                break;
            events.push_back({date, PlanEventKind::Prepayment, 0, i});
        }
    }

    if (!std::is_sorted(events.begin(), events.end(), eventBefore))
        std::stable_sort(events.begin(), events.end(), eventBefore);
    const std::size_t others = events.size();
    events.reserve(others + regularDates.size());
    for (int k = 1; k <= n; ++k) {
        events.push_back(
            {regularDates[static_cast<std::size_t>(k - 1)], PlanEventKind::RegularPayment, k, -1});
    }
    std::inplace_merge(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(others),
                       events.end(), eventBefore);
    return events;
}

}  // namespace

PlanResult RunPlan(const PlanTerms& terms) {
    PlanResult result;
    const std::vector<PlanEvent> events = PlanEvents(terms, &result.issues);
    result.rows.reserve(events.size());
    result.summary = runEvents(terms, events, PlanVariant::AsEntered, &result.rows, &result.issues);
    result.comparison = compare(terms, events, result.summary);
    return result;
}

PlanResult RunVariant(const PlanTerms& terms, PlanVariant variant) {
    PlanResult result;
    const std::vector<PlanEvent> events = PlanEvents(terms);
    result.rows.reserve(events.size());
    result.summary = runEvents(terms, events, variant, &result.rows, nullptr);
    return result;
}

}  // namespace loan
