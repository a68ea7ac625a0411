#pragma once

// The month-by-month schedule of the calculation mode ("Расчет"): differentiated payments
// or equal ones (the annuity, or a payment of one's own), with a service fee.

#include <cstdint>
#include <vector>

#include "loan/date.h"
#include "loan/money.h"

namespace loan {

enum class FeeBasis { OnLoanSum, OnBalance, Fixed };

struct CalculationTerms {
    ScaledAmount loan = 0;
    std::int32_t termMonths = 0;
    double annualRate = 0;  // percent
    Date received;          // the first row is a month later
    FeeBasis feeBasis = FeeBasis::OnLoanSum;
    ScaledAmount feeInput = 0;  // a percentage (scaled) or, for a fixed fee, the fee itself
    // Differentiated when false: the principal of every month is `principal`.
    bool equalPayments = false;
    ScaledAmount principal = 0;
    // Equal payments: the payment as typed (compared with the annuity on the first row), the
    // whole-unit payment every month pays, the regular principal part, and whether the
    // payment is one's own ("Диф.платежи-равными частями": never less principal than the
    // regular part) rather than the annuity.
    ScaledAmount typedPayment = 0;
    ScaledAmount monthlyPayment = 0;
    ScaledAmount regularPart = 0;
    bool ownPayment = false;
};

struct CalculationRow {
    Date month;
    ScaledAmount balance = 0;  // at the start of the month
    ScaledAmount principal = 0;
    ScaledAmount interest = 0;
    ScaledAmount fee = 0;
    ScaledAmount total = 0;
};

struct CalculationSchedule {
    std::vector<CalculationRow> rows;
    // Equal payments whose typed payment is not the annuity: only the first row's month and
    // balance are there, and `annuity` (whole units) is the payment it should be.
    bool annuityMismatch = false;
    std::int64_t annuity = 0;
    // The working values as the last month left them.
    ScaledAmount balance = 0;
    ScaledAmount principal = 0;
    ScaledAmount interest = 0;
};

// Runs until the balance is repaid or the term ends. A balance, principal part, interest or
// fee past the amount limit throws AmountOverflow: such figures would no longer be exact to
// the kopeck.
CalculationSchedule CalculateSchedule(const CalculationTerms& terms);

}  // namespace loan
