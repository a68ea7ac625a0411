#pragma once

// The planner's regular payment dates: the nominal date of each month and the working day
// the payment is actually made on.

#include <functional>
#include <vector>

#include "loan/date.h"

namespace loan {

// Whether a day is a working day; an empty test counts every day as one.
using WorkingDayTest = std::function<bool(const Date&)>;

// How a regular payment that falls on a day off is moved.
enum class PaymentShift {
    Next,      // to the first working day on or after it
    Modified,  // the same, unless that leaves its month: then to the last working day before
    None,      // not at all
};

// The nominal date of regular payment k (k >= 1): the loan date plus k calendar months, or,
// with a payment day of 1..31, that day of the k-th month after the loan date's month; a
// day past a month's end is clipped to its last day.
Date NominalPaymentDate(const Date& loanDate, int paymentDay, int k);

// The day a payment due on `nominal` is made. A nominal date with no working day in the 31
// days from it (nor, for `Modified`, before it in its month) stays where it is.
Date ShiftedPaymentDate(const Date& nominal, PaymentShift shift,
                        const WorkingDayTest& isWorkingDay);

// The dates of the regular payments 1..termMonths as made: never decreasing.
std::vector<Date> RegularPaymentDates(const Date& loanDate, int termMonths, int paymentDay,
                                      PaymentShift shift, const WorkingDayTest& isWorkingDay);

}  // namespace loan
