// The planner against a reference written here from the rules alone: a walk over the months
// rather than a loop over events, dates and working days from std::chrono, interest as exact
// fractions summed day by year (the rate read back from its shortest decimal text), the
// annuity in extended precision, and every "term" prepayment's last date found by running
// the plan on from it at once.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "loan/plan.h"
#include "support/random_amount.h"

namespace {

namespace chr = std::chrono;
using Ext = long double;
using Money = std::int64_t;

// ---- The reference ----------------------------------------------------------------------

chr::year_month_day ymd(const loan::Date& date) {
    return chr::year{date.year} / chr::month{static_cast<unsigned>(date.month)} /
           chr::day{static_cast<unsigned>(date.day)};
}

chr::sys_days days(const loan::Date& date) {
    return chr::sys_days{ymd(date)};
}

loan::Date fromYmd(const chr::year_month_day& date) {
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

// The same day k months on, or the month's last day when it has no such day.
chr::year_month_day plusMonths(const chr::year_month_day& date, int k) {
    const chr::year_month_day moved = date + chr::months{k};
    if (moved.ok())
        return moved;
    return chr::year_month_day{moved.year() / moved.month() / chr::last};
}

int yearLength(chr::year year) {
    return year.is_leap() ? 366 : 365;
}

Money scaled(Ext units) {
    return std::llrint(units * 10000);  // half to even in the default rounding mode
}

double units(Money amount) {
    return static_cast<double>(static_cast<Ext>(amount) / 10000);
}

// Hundredths a half away from zero, decided on the binary value of the fraction.
double hundredths(double x) {
    const Ext whole = std::trunc(static_cast<Ext>(x));
    const double fraction = static_cast<double>(static_cast<Ext>(x) - whole);
    const double steps100 = static_cast<double>(static_cast<Ext>(fraction) * 100);
    Ext steps = std::trunc(static_cast<Ext>(steps100));
    const double rest = static_cast<double>(static_cast<Ext>(steps100) - steps);
    if (rest >= 0.5)
        steps += 1;
    if (rest <= -0.5)
        steps -= 1;
    return static_cast<double>(whole + steps / 100);
}

// A fraction of 128-bit integers, kept in lowest terms with a positive denominator.
struct Fraction {
    __int128 num = 0;
    __int128 den = 1;
};

__int128 gcd128(__int128 a, __int128 b) {
    if (a < 0)
        a = -a;
    while (b != 0) {
        const __int128 r = a % b;
        a = b;
        b = r < 0 ? -r : r;
    }
    return a == 0 ? 1 : a;
}

Fraction reduced(__int128 num, __int128 den) {
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const __int128 g = gcd128(num, den);
    return {num / g, den / g};
}

Fraction operator+(const Fraction& a, const Fraction& b) {
    const __int128 g = gcd128(a.den, b.den);
    return reduced(a.num * (b.den / g) + b.num * (a.den / g), a.den / g * b.den);
}

Fraction operator*(const Fraction& a, const Fraction& b) {
    const __int128 g1 = gcd128(a.num, b.den);
    const __int128 g2 = gcd128(b.num, a.den);
    return reduced((a.num / g1) * (b.num / g2), (a.den / g2) * (b.den / g1));
}

// The rate as the decimal its shortest text shows, in percent.
Fraction rateAsWritten(double rate) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, rate, std::chars_format::fixed).ptr;
    Fraction value{0, 1};
    bool negative = false, afterPoint = false;
    for (const char* c = text; c != end; ++c) {
        if (*c == '-') {
            negative = true;
        } else if (*c == '.') {
            afterPoint = true;
        } else {
            value.num = value.num * 10 + (*c - '0');
            if (afterPoint)
                value.den *= 10;
        }
    }
    return reduced(negative ? -value.num : value.num, value.den);
}

// The days after `earlier` up to `later`, each as the share of its own year.
Fraction yearShares(const chr::sys_days& earlier, const chr::sys_days& later) {
    Fraction share{0, 1};
    chr::sys_days from = earlier;
    while (from < later) {
        const chr::year year = chr::year_month_day{from + chr::days{1}}.year();
        const chr::sys_days yearEnd{year / chr::December / 31};
        const chr::sys_days to = std::min(later, yearEnd);
        share = share + Fraction{(to - from).count(), yearLength(year)};
        from = to;
    }
    return share;
}

// A fraction of currency units to kopecks, a half kopeck up, as ten-thousandths.
Money toKopecks(const Fraction& units) {
    const __int128 hundredths = units.num * 100;
    const __int128 whole = hundredths / units.den;
    const __int128 rest = hundredths % units.den;
    return static_cast<Money>(whole + (2 * rest >= units.den ? 1 : 0)) * 100;
}

Money interest(Money balance, double rate, const chr::sys_days& later,
               const chr::sys_days& earlier) {
    if (!(earlier < later))
        return 0;
    return toKopecks(Fraction{balance, 10000} * rateAsWritten(rate) * Fraction{1, 100} *
                     yearShares(earlier, later));
}

Money evenPart(Money balance, int months) {
    return scaled(hundredths(units(std::llrint(static_cast<Ext>(balance) / months))));
}

Money annuity(Money balance, double rate, int months) {
    if (rate == 0)
        return toKopecks(Fraction{balance, 10000} * Fraction{1, months});
    const double i = static_cast<double>(static_cast<Ext>(rate) / 1200);
    const Ext growth = std::pow(1 + static_cast<Ext>(i), static_cast<Ext>(months));
    const double a = static_cast<double>(static_cast<Ext>(units(balance)) * i / (1 - 1 / growth));
    if (!std::isfinite(a))
        return toKopecks(Fraction{balance, 10000} * Fraction{1, months});
    return scaled(hundredths(a));
}

struct Row {
    loan::Date date;
    bool early;
    int source;
    Money balance, principal, interest, total;
};

struct Outcome {
    std::vector<Row> rows;
    std::vector<std::pair<int, loan::Date>> uncovered;    // prepayments refused
    std::vector<std::pair<int, loan::Date>> afterRepaid;  // first dropped date per source
    std::vector<std::pair<int, loan::Date>> tooEarly;     // prepayments on/before the loan
    int regulars = 0;
    Money first = 0, last = 0, interest = 0, total = 0;
};

bool working(const loan::PlanTerms& terms, const chr::sys_days& day) {
    return !terms.isWorkingDay || terms.isWorkingDay(fromYmd(chr::year_month_day{day}));
}

// Regular date k as made: its nominal date, moved by the terms' shift rule.
chr::sys_days regularDate(const loan::PlanTerms& terms, int k) {
    chr::year_month_day nominal = plusMonths(ymd(terms.loanDate), k);
    if (terms.paymentDay > 0) {
        const chr::year_month month = chr::year_month{ymd(terms.loanDate).year(),
                                                      ymd(terms.loanDate).month()} +
                                      chr::months{k};
        const chr::year_month_day wanted{month / chr::day{static_cast<unsigned>(terms.paymentDay)}};
        nominal = wanted.ok() ? wanted : chr::year_month_day{month / chr::last};
    }
    const chr::sys_days day{nominal};
    if (terms.shift == loan::PaymentShift::None || working(terms, day))
        return day;
    std::optional<chr::sys_days> next;
    for (int forward = 1; forward < 31 && !next; ++forward) {
        if (working(terms, day + chr::days{forward}))
            next = day + chr::days{forward};
    }
    const auto monthOf = [](chr::sys_days d) { return chr::year_month_day{d}.month(); };
    if (terms.shift == loan::PaymentShift::Modified &&
        !(next && monthOf(*next) == nominal.month())) {
        for (chr::sys_days back = day - chr::days{1}; monthOf(back) == nominal.month();
             back -= chr::days{1}) {
            if (working(terms, back))
                return back;
        }
    }
    return next.value_or(day);
}

Outcome reference(const loan::PlanTerms& terms) {
    Outcome out;
    const int n = terms.termMonths;
    const bool isAnnuity = terms.scheme == loan::PlanScheme::Annuity;
    const chr::sys_days start = days(terms.loanDate);
    std::vector<chr::sys_days> regular(static_cast<std::size_t>(n) + 1);
    regular[0] = start;
    for (int k = 1; k <= n; ++k) regular[k] = regularDate(terms, k);

    // Every prepayment's dates, in the order given.
    struct Instance {
        chr::sys_days date;
        int source;
    };
    std::vector<Instance> instances;
    for (int s = 0; s < static_cast<int>(terms.prepayments.size()); ++s) {
        const loan::Prepayment& p = terms.prepayments[s];
        if (days(p.date) <= start) {
            out.tooEarly.push_back({s, p.date});
            continue;
        }
        if (!p.monthly) {
            instances.push_back({days(p.date), s});
            continue;
        }
        for (int j = 0; chr::sys_days{plusMonths(ymd(p.date), j)} <= regular[n]; ++j)
            instances.push_back({chr::sys_days{plusMonths(ymd(p.date), j)}, s});
    }
    std::stable_sort(instances.begin(), instances.end(),
                     [](const Instance& a, const Instance& b) { return a.date < b.date; });

    Money balance = terms.sum;
    double rate = terms.annualRate;
    Money payment = isAnnuity ? (terms.payment ? *terms.payment : annuity(balance, rate, n))
                              : evenPart(balance, n);
    out.first = isAnnuity ? payment : 0;
    chr::sys_days previous = start;
    int last = n;  // the current last regular date
    std::vector<bool> dropped(terms.prepayments.size());

    const auto pay = [&](chr::sys_days date, bool early, int source, Money principal, Money due) {
        out.rows.push_back({fromYmd(chr::year_month_day{date}), early, source, balance, principal,
                            due, principal + due});
        out.interest += due;
        out.total += principal + due;
        balance -= principal;
        previous = date;
    };
    // The regular date on which the plan, run on from here with no later events, repays the
    // balance; `passed` regular dates are behind.
    const auto repaidOn = [&](int passed) {
        Money left = balance;
        chr::sys_days from = previous;
        for (int k = passed + 1; k < last; ++k) {
            const Money due = interest(left, rate, regular[k], from);
            const Money principal = isAnnuity ? std::max<Money>(payment - due, 0) : payment;
            if (principal >= left)
                return k;
            left -= principal;
            from = regular[k];
        }
        return last;
    };
    const auto prepay = [&](const Instance& instance, int passed) {
        const loan::Prepayment& p = terms.prepayments[instance.source];
        if (balance == 0) {
            if (!dropped[instance.source]) {
                dropped[instance.source] = true;
                out.afterRepaid.push_back(
                    {instance.source, fromYmd(chr::year_month_day{instance.date})});
            }
            return;
        }
        const Money due = interest(balance, rate, instance.date, previous);
        if (p.amount <= due) {
            out.uncovered.push_back({instance.source, fromYmd(chr::year_month_day{instance.date})});
            return;
        }
        pay(instance.date, true, instance.source, std::min(p.amount - due, balance), due);
        if (balance == 0)
            return;
        if (p.mode == loan::PrepaymentMode::ShortenTerm) {
            last = repaidOn(passed);
        } else if (last - passed > 0) {
            payment = isAnnuity ? annuity(balance, rate, last - passed)
                                : evenPart(balance, last - passed);
        }
    };

    std::size_t next = 0;
    for (int k = 1; k <= n; ++k) {
        // Prepayments before this month's date, then its payment, the rate changes taking
        // hold on it, and the prepayments of the same day.
        for (; next < instances.size() && instances[next].date < regular[k]; ++next)
            prepay(instances[next], k - 1);
        if (balance > 0) {
            const Money due = interest(balance, rate, regular[k], previous);
            Money principal = isAnnuity ? std::max<Money>(payment - due, 0) : payment;
            if (k == last || principal >= balance)
                principal = balance;
            pay(regular[k], false, -1, principal, due);
            ++out.regulars;
            out.last = isAnnuity ? payment : principal + due;
            if (!isAnnuity && out.regulars == 1)
                out.first = principal + due;
        }
        std::vector<std::pair<chr::sys_days, int>> changes;
        for (int c = 0; c < static_cast<int>(terms.rateChanges.size()); ++c) {
            const chr::sys_days when = days(terms.rateChanges[c].date);
            if (when > regular[k - 1] && when <= regular[k] && when > start)
                changes.push_back({when, c});
        }
        std::stable_sort(changes.begin(), changes.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& change : changes) {
            if (balance == 0)
                break;
            rate = terms.rateChanges[change.second].annualRate;
            if (isAnnuity && last - k > 0)
                payment = annuity(balance, rate, last - k);
        }
        for (; next < instances.size() && instances[next].date == regular[k]; ++next)
            prepay(instances[next], k);
    }
    for (; next < instances.size(); ++next) prepay(instances[next], n);
    if (out.regulars == 0)
        out.last = out.first;
    return out;
}

// The plan with its prepayments left out (-1) or all given one mode.
loan::PlanTerms variantOf(loan::PlanTerms terms, int mode) {
    if (mode < 0)
        terms.prepayments.clear();
    for (loan::Prepayment& p : terms.prepayments) p.mode = static_cast<loan::PrepaymentMode>(mode);
    return terms;
}

// ---- Random plans -----------------------------------------------------------------------

int pick(std::mt19937_64& random, int low, int high) {
    return low + static_cast<int>(random() % static_cast<std::uint64_t>(high - low + 1));
}

loan::Date shifted(const loan::Date& date, int dayCount) {
    return fromYmd(chr::year_month_day{days(date) + chr::days{dayCount}});
}

loan::PlanTerms randomPlan(std::mt19937_64& random) {
    loan::PlanTerms terms;
    terms.scheme =
        pick(random, 0, 9) < 6 ? loan::PlanScheme::Annuity : loan::PlanScheme::Differentiated;
    terms.sum = pick(random, 0, 9) == 0 ? Money{pick(random, 1, 10000)} * 100
                                        : Money{pick(random, 100000, 500000000)} * 100;
    switch (pick(random, 0, 3)) {
        case 0:
            terms.annualRate = pick(random, 1, 30);
            break;
        case 1:
            terms.annualRate = pick(random, 1, 4000) / 100.0;
            break;
        case 2:
            terms.annualRate = pick(random, 1, 99999) / 1000.0;
            break;
        default:
            terms.annualRate = pick(random, 1, 9) / 10000.0;
    }
    terms.termMonths = pick(random, 0, 1) ? pick(random, 1, 36) : pick(random, 1, 360);
    const int year = pick(random, 1999, 2030);
    const int month = pick(random, 1, 12);
    const int lastDay = static_cast<int>(static_cast<unsigned>(chr::year_month_day_last{
        chr::year{year} / chr::month{static_cast<unsigned>(month)} / chr::last}
                                                                   .day()));
    terms.loanDate = {
        year, month,
        pick(random, 0, 1) ? pick(random, std::min(28, lastDay), lastDay) : pick(random, 1, 28)};
    if (terms.scheme == loan::PlanScheme::Annuity && pick(random, 0, 4) == 0) {
        const Money computed = loan::PlanAnnuity(terms.sum, terms.annualRate, terms.termMonths);
        terms.payment = pick(random, 0, 4) == 0
                            ? Money{pick(random, 1, 1000)} * 100
                            : std::max<Money>(100, computed + Money{pick(random, -5000, 5000)} *
                                                                  computed / 100000 / 100 * 100);
    }
    const int span = terms.termMonths * 31;
    for (int i = pick(random, 0, 4); i > 0; --i) {
        loan::Prepayment p;
        p.date = shifted(terms.loanDate, pick(random, -10, span + 40));
        p.mode = pick(random, 0, 1) ? loan::PrepaymentMode::ShortenTerm
                                    : loan::PrepaymentMode::LowerPayment;
        p.monthly = pick(random, 0, 9) < 3;
        const Money sumKopecks = terms.sum / 100;
        switch (pick(random, 0, 9)) {
            case 0:
            case 1:
            case 2:
                p.amount = Money{pick(random, 1, 20000)} * 100;
                break;
            case 3:
                p.amount = std::max<Money>(1, sumKopecks * pick(random, 80, 120) / 100) * 100;
                break;
            default:
                p.amount =
                    std::max<Money>(1, sumKopecks / pick(random, 2, p.monthly ? 200 : 10)) * 100;
        }
        terms.prepayments.push_back(p);
    }
    for (int i = pick(random, 0, 3); i > 0; --i) {
        terms.rateChanges.push_back(
            {shifted(terms.loanDate, pick(random, -10, span + 10)),
             pick(random, 0, 9) == 0 ? 0.0 : pick(random, 0, 3000) / 100.0});
    }
    if (pick(random, 0, 9) == 0)
        terms.annualRate = 0;
    // Payment days, shift rules and a calendar of weekends and holidays: 1-8 January in most
    // years and a few random days off in every one.
    terms.paymentDay = pick(random, 0, 1) ? 0 : pick(random, 1, 31);
    terms.shift = static_cast<loan::PaymentShift>(pick(random, 0, 2));
    if (pick(random, 0, 9) > 0) {
        auto holidays = std::make_shared<std::set<long>>();
        for (int y = terms.loanDate.year; y <= terms.loanDate.year + 32; ++y) {
            const long newYear = days({y, 1, 1}).time_since_epoch().count();
            if (pick(random, 0, 3) > 0) {
                for (int d = 0; d < 8; ++d) holidays->insert(newYear + d);
            }
            for (int i = pick(random, 0, 6); i > 0; --i) holidays->insert(newYear + pick(random, 0, 364));
        }
        terms.isWorkingDay = [holidays](const loan::Date& date) {
            const long day = days(date).time_since_epoch().count();
            const long weekday = ((day + 3) % 7 + 7) % 7;  // 0 = Monday
            return weekday < 5 && holidays->count(day) == 0;
        };
    }
    return terms;
}

std::string describe(const loan::PlanTerms& terms) {
    std::string text = "sum " + std::to_string(terms.sum) + " rate " +
                       std::to_string(terms.annualRate) + " term " +
                       std::to_string(terms.termMonths) + " from " +
                       loan::FormatShortDate(terms.loanDate) +
                       (terms.scheme == loan::PlanScheme::Annuity ? " annuity" : " differentiated");
    if (terms.payment)
        text += " payment " + std::to_string(*terms.payment);
    text += " day " + std::to_string(terms.paymentDay) + " shift " +
            std::to_string(static_cast<int>(terms.shift)) +
            (terms.isWorkingDay ? " with a calendar" : " every day working");
    for (const loan::Prepayment& p : terms.prepayments) {
        text += "\n  prepay " + loan::FormatShortDate(p.date) + " " + std::to_string(p.amount) +
                (p.mode == loan::PrepaymentMode::LowerPayment ? " payment" : " term") +
                (p.monthly ? " monthly" : "");
    }
    for (const loan::RateChange& c : terms.rateChanges)
        text += "\n  rate " + loan::FormatShortDate(c.date) + " " + std::to_string(c.annualRate);
    return text;
}

// True when the program's run matches the reference; the first difference is reported.
bool sameAsReference(const loan::PlanTerms& terms) {
    const Outcome want = reference(terms);
    const loan::PlanResult got = loan::RunPlan(terms);
    if (got.rows.size() != want.rows.size()) {
        ADD_FAILURE() << "rows " << got.rows.size() << " instead of " << want.rows.size();
        return false;
    }
    for (std::size_t i = 0; i < want.rows.size(); ++i) {
        const loan::PlanRow& g = got.rows[i];
        const Row& w = want.rows[i];
        const bool early = g.kind == loan::PlanRowKind::Prepayment;
        if (g.date != w.date || early != w.early || (early && g.source != w.source) ||
            g.balance != w.balance || g.principal != w.principal || g.interest != w.interest ||
            g.total != w.total) {
            ADD_FAILURE() << "row " << i + 1 << ": " << loan::FormatShortDate(g.date) << " "
                          << g.balance << " " << g.principal << " " << g.interest << " instead of "
                          << loan::FormatShortDate(w.date) << " " << w.balance << " " << w.principal
                          << " " << w.interest;
            return false;
        }
    }
    const loan::PlanSummary& s = got.summary;
    const bool summaryMatches = s.regularPayments == want.regulars &&
                                s.firstPayment == want.first && s.lastPayment == want.last &&
                                s.interest == want.interest && s.total == want.total &&
                                (want.rows.empty() || s.lastPaymentDate == want.rows.back().date);
    EXPECT_TRUE(summaryMatches);

    std::vector<std::pair<int, loan::Date>> uncovered, afterRepaid, tooEarly;
    for (const loan::PlanIssue& issue : got.issues) {
        if (issue.event != loan::PlanEventKind::Prepayment)
            continue;
        auto& list = issue.kind == loan::PlanIssueKind::InterestNotCovered ? uncovered
                     : issue.kind == loan::PlanIssueKind::LoanRepaid       ? afterRepaid
                                                                           : tooEarly;
        list.push_back({issue.source, issue.date});
    }
    const auto sorted = [](std::vector<std::pair<int, loan::Date>> list) {
        std::sort(list.begin(), list.end());
        return list;
    };
    EXPECT_EQ(sorted(uncovered), sorted(want.uncovered));
    EXPECT_EQ(sorted(afterRepaid), sorted(want.afterRepaid));
    EXPECT_EQ(sorted(tooEarly), sorted(want.tooEarly));
    return summaryMatches && !::testing::Test::HasFailure();
}

TEST(PlanDifferential, RandomPlansMatchTheReference) {
    std::mt19937_64 random(20240131);
    const int count = testing_support::RandomCaseCount(3000);
    int withPrepayments = 0, shortened = 0;
    for (int i = 0; i < count; ++i) {
        const loan::PlanTerms terms = randomPlan(random);
        if (!sameAsReference(terms)) {
            ADD_FAILURE() << "plan " << i << ": " << describe(terms);
            return;
        }
        // Every variant of the comparison is the reference's run of the changed terms.
        const loan::PlanComparison comparison = loan::RunPlan(terms).comparison;
        const Outcome without = reference(variantOf(terms, -1));
        const Outcome variants[] = {reference(terms), without, reference(variantOf(terms, 0)),
                                    reference(variantOf(terms, 1))};
        for (std::size_t v = 0; v < comparison.size(); ++v) {
            const loan::VariantFigures& figures = comparison[v];
            const Outcome& want = variants[v];
            ASSERT_EQ(figures.summary.interest, want.interest) << "variant " << v << ": " << describe(terms);
            ASSERT_EQ(figures.summary.regularPayments, want.regulars) << describe(terms);
            ASSERT_EQ(figures.summary.lastPayment, want.last) << describe(terms);
            ASSERT_EQ(figures.interestSaved, without.interest - want.interest) << describe(terms);
        }
        withPrepayments += !terms.prepayments.empty();
        shortened += comparison[2].summary.regularPayments < terms.termMonths;
    }
    // The random plans reach the cases that matter.
    if (count >= 1000) {
        EXPECT_GT(withPrepayments, count / 2);
        EXPECT_GT(shortened, count / 10);
    }
}

}  // namespace
