// The planner's dates on working days, its exact interest and the bank cases it was checked
// against.

#include <gtest/gtest.h>

#include <vector>

#include "text/errors.h"
#include "loan/plan.h"
#include "loan/plan_interest.h"

namespace {

using loan::Date;
using loan::PaymentShift;
using loan::PlanRowKind;
using loan::PlanTerms;
using loan::PrepaymentMode;
using loan::RunPlan;
using loan::ScaledAmount;

ScaledAmount rub(long double units) {
    return loan::ToScaled(units);
}

bool weekend(const Date& date) {
    const auto weekday = ((loan::DaySerial(date) + 3) % 7 + 7) % 7;  // 0 = Monday
    return weekday >= 5;
}

// Saturdays, Sundays and 1-8 January of every year off.
bool workingDay(const Date& date) {
    return !weekend(date) && !(date.month == 1 && date.day <= 8);
}

TEST(PlanDates, NominalDatesFromTheLoanDateOrThePaymentDayClippedInShortMonths) {
    const Date loanDate{2021, 1, 15};
    EXPECT_EQ(loan::NominalPaymentDate(loanDate, 0, 1), (Date{2021, 2, 15}));
    EXPECT_EQ(loan::NominalPaymentDate(loanDate, 31, 1), (Date{2021, 2, 28}));
    EXPECT_EQ(loan::NominalPaymentDate(loanDate, 31, 2), (Date{2021, 3, 31}));
    EXPECT_EQ(loan::NominalPaymentDate(loanDate, 31, 37), (Date{2024, 2, 29}));
    EXPECT_EQ(loan::NominalPaymentDate(loanDate, 5, 12), (Date{2022, 1, 5}));
    // From a loan date at the month's end each date is counted from it, not from the last.
    EXPECT_EQ(loan::NominalPaymentDate({2023, 1, 31}, 0, 2), (Date{2023, 3, 31}));
}

TEST(PlanDates, TheThreeShiftRules) {
    struct ShiftCase {
        Date nominal;
        Date next, modified;
    };
    const ShiftCase cases[] = {
        {{2021, 3, 10}, {2021, 3, 10}, {2021, 3, 10}},  // a Wednesday stays
        {{2021, 3, 13}, {2021, 3, 15}, {2021, 3, 15}},  // a Saturday goes to Monday
        // Sunday 28.02.2021, a payment day of 31 clipped: Monday is in March, so back to Friday.
        {{2021, 2, 28}, {2021, 3, 1}, {2021, 2, 26}},
        {{2020, 5, 31}, {2020, 6, 1}, {2020, 5, 29}},
        // The January holidays: forward past all of them, even from 31 December.
        {{2020, 1, 1}, {2020, 1, 9}, {2020, 1, 9}},
        {{2022, 1, 2}, {2022, 1, 10}, {2022, 1, 10}},
    };
    for (const ShiftCase& c : cases) {
        SCOPED_TRACE(loan::FormatShortDate(c.nominal));
        EXPECT_EQ(loan::ShiftedPaymentDate(c.nominal, PaymentShift::Next, workingDay), c.next);
        EXPECT_EQ(loan::ShiftedPaymentDate(c.nominal, PaymentShift::Modified, workingDay),
                  c.modified);
        EXPECT_EQ(loan::ShiftedPaymentDate(c.nominal, PaymentShift::None, workingDay), c.nominal);
        EXPECT_EQ(loan::ShiftedPaymentDate(c.nominal, PaymentShift::Next, {}), c.nominal);
    }
    // A calendar without a working day leaves the date as it is instead of searching forever.
    const auto never = [](const Date&) { return false; };
    EXPECT_EQ(loan::ShiftedPaymentDate({2021, 3, 13}, PaymentShift::Next, never),
              (Date{2021, 3, 13}));
    EXPECT_EQ(loan::ShiftedPaymentDate({2021, 3, 13}, PaymentShift::Modified, never),
              (Date{2021, 3, 13}));
}

TEST(PlanDates, AHolidayPaymentIsMadeLaterAndTheInterestRunsToIt) {
    // 1 500 000 at 12 % for 60 months from 01.02.2019: 01.01.2020 is paid on 09.01.2020.
    PlanTerms terms;
    terms.sum = rub(1500000);
    terms.annualRate = 12;
    terms.termMonths = 60;
    terms.loanDate = {2019, 2, 1};
    terms.isWorkingDay = workingDay;
    const loan::PlanResult result = RunPlan(terms);
    ASSERT_EQ(result.rows.size(), 60u);
    EXPECT_EQ(result.rows[9].date, (Date{2019, 12, 2}));  // 01.12.2019 is a Sunday
    EXPECT_EQ(result.rows[10].date, (Date{2020, 1, 9}));
    EXPECT_EQ(result.rows[11].date, (Date{2020, 2, 3}));
    // 29 days of 2019 and 9 of 2020 on 1 307 633,80 (16 325,8946...); then 25 days from 09.01.
    EXPECT_EQ(result.rows[10].balance, rub(1307633.80));
    EXPECT_EQ(result.rows[10].interest, rub(16325.89));
    EXPECT_EQ(result.rows[11].interest, rub(10578.63));
    // A prepayment on the nominal date is made on it: the interest to it, the rest after it.
    terms.prepayments = {{{2020, 1, 1}, rub(50000), PrepaymentMode::LowerPayment, false}};
    const loan::PlanResult early = RunPlan(terms);
    EXPECT_EQ(early.rows[10].date, (Date{2020, 1, 1}));
    EXPECT_EQ(early.rows[10].kind, PlanRowKind::Prepayment);
    EXPECT_EQ(early.rows[11].date, (Date{2020, 1, 9}));

    // The payment day and the shift come with the terms: day 31, moved back in the month.
    terms.prepayments.clear();
    terms.paymentDay = 31;
    terms.shift = PaymentShift::Modified;
    terms.termMonths = 2;
    terms.loanDate = {2021, 1, 15};
    EXPECT_EQ(loan::PlanPaymentDates(terms), (std::vector<Date>{{2021, 2, 26}, {2021, 3, 31}}));
    std::vector<Date> made;
    for (const loan::PlanRow& row : RunPlan(terms).rows) made.push_back(row.date);
    EXPECT_EQ(made, loan::PlanPaymentDates(terms));
}

TEST(PlanInterest, ExactAndRoundedOnceAHalfKopeckUp) {
    // 16 128 033,33 at 5,2 % for the 31 days of March 2013: 71 228,465008..., so ,47.
    EXPECT_EQ(loan::ExactInterest(rub(16128033.33), 5.2, {2013, 3, 2}, {2013, 4, 2}),
              rub(71228.47));
    // The rate as written: 9,6 % is 9 600 000 millionths, not the binary number below it.
    EXPECT_EQ(loan::RateMillionths(9.6), 9600000);
    EXPECT_EQ(loan::RateMillionths(0.000001), 1);
    EXPECT_THROW(loan::RateMillionths(1e300), loan::AmountOverflow);
    // 36 500 at 1 % for one day of a common year is exactly 1,00; of a leap year 0,997...
    EXPECT_EQ(loan::ExactInterest(rub(36500), 1, {2023, 5, 1}, {2023, 5, 2}), rub(1));
    EXPECT_EQ(loan::ExactInterest(rub(36500), 1, {2024, 5, 1}, {2024, 5, 2}), rub(1));
    // A half kopeck exactly goes up: 18 250 at 1 % for a day of 365 is 0,50 + 0,005.
    EXPECT_EQ(loan::ExactInterest(rub(18250) + rub(182.5), 1, {2023, 5, 1}, {2023, 5, 2}),
              rub(0.51));
    // Days after the first date up to the last, each in its own year: 16 of 2023, 15 of 2024,
    // and over two year ends a whole year between.
    EXPECT_EQ(loan::YearShareWeight({2023, 12, 15}, {2024, 1, 15}), 16 * 366 + 15 * 365);
    EXPECT_EQ(loan::YearShareWeight({2023, 12, 31}, {2025, 1, 1}), 366 * 365 + 366);
    EXPECT_EQ(loan::YearShareWeight({2024, 1, 15}, {2024, 1, 15}), 0);
    // Beyond 64 bits it throws instead of wrapping.
    EXPECT_THROW(loan::ExactInterest(rub(1e14), 1e6, {2000, 1, 1}, {2020, 1, 1}),
                 loan::AmountOverflow);

    // The plan of the rounding case: row 7 pays ,47 (with no payment moved).
    PlanTerms terms;
    terms.sum = rub(16516000);
    terms.annualRate = 5.2;
    terms.termMonths = 175;
    terms.loanDate = {2012, 9, 2};
    terms.scheme = loan::PlanScheme::Differentiated;
    terms.shift = PaymentShift::None;
    terms.isWorkingDay = workingDay;
    terms.scheme = loan::PlanScheme::Annuity;
    const loan::PlanResult result = RunPlan(terms);
    EXPECT_EQ(result.rows[6].date, (Date{2013, 4, 2}));
    EXPECT_EQ(result.rows[6].balance, rub(16128033.33));
    EXPECT_EQ(result.rows[6].interest, rub(71228.47));
}

TEST(PlanInterest, ZeroPercentIsAnInstalmentPlan) {
    EXPECT_EQ(loan::EvenShare(rub(1000.02), 4), rub(250.01));  // 250,005 up
    EXPECT_EQ(loan::EvenShare(rub(1000.01), 4), rub(250));     // 250,0025 down
    EXPECT_EQ(loan::PlanAnnuity(rub(1000.02), 0, 4), rub(250.01));
    PlanTerms terms;
    terms.sum = rub(1000.02);
    terms.annualRate = 0;
    terms.termMonths = 4;
    terms.loanDate = {2024, 1, 10};
    const loan::PlanResult result = RunPlan(terms);
    ASSERT_EQ(result.rows.size(), 4u);
    EXPECT_EQ(result.summary.interest, 0);
    EXPECT_EQ(result.rows[0].total, rub(250.01));
    EXPECT_EQ(result.rows[3].total, rub(249.99));  // the last takes the rest
}

// A real mortgage: 4 407 000 at 9,6 % for 360 months from 18.10.2019, 426 681,74 paid early
// on 18.12.2020 shortening the term, then 74 980,13 on 06.01.2021 lowering the payment.
TEST(PlanBankCase, APaymentLoweredAfterTheTermWasShortenedSpreadsOverTheShorterTerm) {
    PlanTerms terms;
    terms.sum = rub(4407000);
    terms.annualRate = 9.6;
    terms.termMonths = 360;
    terms.loanDate = {2019, 10, 18};
    terms.shift = PaymentShift::None;
    terms.prepayments = {{{2020, 12, 18}, rub(426681.74), PrepaymentMode::ShortenTerm, false}};
    const loan::PlanResult shortened = RunPlan(terms);
    // Run on with the payment of 37 378,41, the balance is repaid on 18.07.2040, payment 249.
    EXPECT_EQ(shortened.summary.firstPayment, rub(37378.41));
    EXPECT_EQ(shortened.summary.lastPaymentDate, (Date{2040, 7, 18}));
    EXPECT_EQ(shortened.summary.regularPayments, 249);

    terms.prepayments.push_back({{2021, 1, 6}, rub(74980.13), PrepaymentMode::LowerPayment, false});
    const loan::PlanResult lowered = RunPlan(terms);
    ASSERT_GT(lowered.rows.size(), 16u);
    EXPECT_EQ(lowered.rows[15].date, (Date{2021, 1, 6}));
    EXPECT_EQ(lowered.rows[15].balance - lowered.rows[15].principal, rub(3894000.50));
    // The annuity over the 235 dates from 18.01.2021 to 18.07.2040, not over the original 345
    // (33 263,67). The bank's letter shows 36 864,78, the annuity over 234: it counts the
    // shortened term in whole payments, leaving out the small last one (5 452,47 here).
    EXPECT_EQ(lowered.summary.lastPayment, rub(36811.20));
    EXPECT_EQ(loan::PlanAnnuity(rub(3894000.50), 9.6, 235), rub(36811.20));
    EXPECT_EQ(loan::PlanAnnuity(rub(3894000.50), 9.6, 234), rub(36864.78));
    // The prepayment paid 19 days of the period's interest, so the next payment repays more
    // and the balance runs out three dates before the last one.
    EXPECT_EQ(lowered.summary.lastPaymentDate, (Date{2040, 4, 18}));
}

TEST(PlanTermRule, ALaterPaymentPrepaymentUsesTheShortenedTermUnderEitherScheme) {
    PlanTerms terms;
    terms.sum = rub(1200);
    terms.annualRate = 12;
    terms.termMonths = 12;
    terms.loanDate = {2005, 1, 10};
    terms.scheme = loan::PlanScheme::Differentiated;
    // 300 of "term" leaves 700 after two parts of 100: 7 parts, so the last date is the 9th;
    // 100 of "payment" afterwards spreads 500 over the 6 dates left, not the original 9.
    terms.prepayments = {{{2005, 3, 10}, rub(300), PrepaymentMode::ShortenTerm, false},
                         {{2005, 4, 10}, rub(100), PrepaymentMode::LowerPayment, false}};
    const loan::PlanResult result = RunPlan(terms);
    EXPECT_EQ(result.summary.regularPayments, 9);
    EXPECT_EQ(result.rows.back().date, (Date{2005, 10, 10}));
    EXPECT_EQ(result.rows.back().principal, rub(83.35));
    EXPECT_EQ(result.rows[5].principal, rub(83.33));

    // The same under an annuity: the payment taken again over the dates to the new last one.
    terms.scheme = loan::PlanScheme::Annuity;
    terms.sum = rub(1000000);
    terms.termMonths = 24;
    terms.prepayments = {{{2005, 3, 10}, rub(400000), PrepaymentMode::ShortenTerm, false},
                         {{2005, 5, 10}, rub(50000), PrepaymentMode::LowerPayment, false}};
    const loan::PlanResult annuity = RunPlan(terms);
    EXPECT_EQ(annuity.summary.lastPaymentDate, (Date{2006, 3, 10}));
    const loan::PlanRow& lowering = annuity.rows[5];
    ASSERT_EQ(lowering.kind, PlanRowKind::Prepayment);
    EXPECT_EQ(annuity.summary.lastPayment,
              loan::PlanAnnuity(lowering.balance - lowering.principal, 12, 10));
}

TEST(PlanMonthly, ThousandsOfMonthlyEntriesStopAtRepayment) {
    PlanTerms terms;
    terms.sum = rub(1000000);
    terms.annualRate = 10;
    terms.termMonths = 1000;
    terms.loanDate = {2024, 1, 15};
    // On the regular dates, after the payment: no interest is due, so each is taken.
    for (int i = 0; i < 3000; ++i)
        terms.prepayments.push_back({{2024, 2, 15}, rub(10), PrepaymentMode::ShortenTerm, true});
    const loan::PlanResult result = RunPlan(terms);
    // 30 000 a month repays it in about three years: rows for those months only.
    EXPECT_LT(result.rows.size(), 3001u * 40);
    EXPECT_LT(result.rows.capacity(), 2 * result.rows.size());
    std::size_t dropped = 0;
    for (const loan::PlanIssue& issue : result.issues)
        dropped += issue.kind == loan::PlanIssueKind::LoanRepaid;
    EXPECT_EQ(dropped, 3000u);  // each entry once, at its first date after the repayment
    EXPECT_EQ(result.summary.principal, terms.sum);
}

}  // namespace
