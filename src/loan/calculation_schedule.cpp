#include "loan/calculation_schedule.h"

#include "loan/amount_limit.h"
#include "loan/annuity.h"
#include "loan/monthly_amounts.h"

namespace loan {

namespace {

ScaledAmount percentFee(ScaledAmount base, ScaledAmount feeInput) {
    return ToScaled(RoundFraction(100, PercentOf(ToUnitsDouble(base), ToUnitsDouble(feeInput), 1)));
}

void checkRowAmounts(const CalculationRow& row) {
    // The row's total of three such figures still reads back from its cell as itself.
    for (ScaledAmount amount : {row.principal, row.interest, row.fee}) {
        if (!WithinAmountLimit(amount))
            throw AmountOverflow();
    }
}

}  // namespace

CalculationSchedule CalculateSchedule(const CalculationTerms& terms) {
    CalculationSchedule schedule;
    ScaledAmount balance = terms.loan;
    ScaledAmount principal = terms.equalPayments ? terms.typedPayment : terms.principal;
    ScaledAmount interest = 0;
    Date month = IncMonth(terms.received);
    ScaledAmount fee =
        terms.feeBasis == FeeBasis::Fixed ? terms.feeInput : percentFee(balance, terms.feeInput);
    // The annuity depends on the loan alone, so it is the same for every row.
    const std::int64_t annuity =
        terms.equalPayments
            ? AnnuityPayment(ToUnitsDouble(terms.loan), terms.annualRate, terms.termMonths)
            : 0;

    const auto keepWorkingValues = [&] {
        schedule.balance = balance;
        schedule.principal = principal;
        schedule.interest = interest;
    };
    for (int number = 1;; ++number) {
        if (!WithinAmountLimit(balance))
            throw AmountOverflow();
        interest = MonthlyInterest(balance, terms.annualRate);
        if (terms.feeBasis == FeeBasis::OnBalance)
            fee = percentFee(balance, terms.feeInput);
        CalculationRow row{month, balance, 0, interest, fee, 0};

        if (!terms.equalPayments) {
            if (principal > balance)
                principal = balance;
            row.principal = principal;
            row.total = AddAmounts(AddAmounts(principal, interest), fee);
            checkRowAmounts(row);
            balance -= principal;
        } else {
            const ScaledAmount annuityScaled = ToScaled(static_cast<Extended>(annuity));
            if (!terms.ownPayment && number == 1 && principal != annuityScaled) {
                schedule.rows.push_back(row);
                schedule.annuityMismatch = true;
                schedule.annuity = annuity;
                keepWorkingValues();
                return schedule;
            }
            principal = terms.monthlyPayment;
            if (terms.ownPayment && terms.regularPart > principal - interest)
                principal = AddAmounts(terms.regularPart, interest);
            const ScaledAmount due = AddAmounts(balance, interest);
            if (principal > due)
                principal = due;
            row.principal = principal - interest;
            row.total = AddAmounts(principal, fee);
            checkRowAmounts(row);
            balance -= principal - interest;
        }
        schedule.rows.push_back(row);
        month = IncMonth(month);
        if (balance == 0 || number + 1 > terms.termMonths)
            break;
    }
    keepWorkingValues();
    return schedule;
}

}  // namespace loan
