#include "loan/plan_dates.h"

#include <algorithm>
#include <optional>

namespace loan {

namespace {

// How far a payment is moved at most: a calendar with a month of days off is a mistake, and
// the payment then stays on its nominal date rather than wander.
constexpr int kLongestShift = 31;

Date addDays(const Date& date, int days) {
    return DateFromSerial(DaySerial(date) + days);
}

// The first working day on or after `date` within the longest shift.
std::optional<Date> firstWorkingDayFrom(const Date& date, const WorkingDayTest& isWorkingDay) {
    for (int offset = 0; offset < kLongestShift; ++offset) {
        const Date candidate = addDays(date, offset);
        if (isWorkingDay(candidate))
            return candidate;
    }
    return std::nullopt;
}

// The last working day before `date` in its own month.
std::optional<Date> lastWorkingDayBefore(const Date& date, const WorkingDayTest& isWorkingDay) {
    for (int day = date.day - 1; day >= 1; --day) {
        const Date candidate{date.year, date.month, day};
        if (isWorkingDay(candidate))
            return candidate;
    }
    return std::nullopt;
}

}  // namespace

Date NominalPaymentDate(const Date& loanDate, int paymentDay, int k) {
    if (paymentDay < 1)
        return IncMonth(loanDate, k);
    const Date month = IncMonth(Date{loanDate.year, loanDate.month, 1}, k);
    return {month.year, month.month, std::min(paymentDay, DaysInMonth(month.year, month.month))};
}

Date ShiftedPaymentDate(const Date& nominal, PaymentShift shift,
                        const WorkingDayTest& isWorkingDay) {
    if (shift == PaymentShift::None || !isWorkingDay || isWorkingDay(nominal))
        return nominal;
    const std::optional<Date> next = firstWorkingDayFrom(nominal, isWorkingDay);
    if (shift == PaymentShift::Modified && !(next && next->month == nominal.month)) {
        if (const std::optional<Date> before = lastWorkingDayBefore(nominal, isWorkingDay))
            return *before;
    }
    return next.value_or(nominal);
}

std::vector<Date> RegularPaymentDates(const Date& loanDate, int termMonths, int paymentDay,
                                      PaymentShift shift, const WorkingDayTest& isWorkingDay) {
    std::vector<Date> dates;
    dates.reserve(static_cast<std::size_t>(std::max(termMonths, 0)));
    for (int k = 1; k <= termMonths; ++k) {
        dates.push_back(
            ShiftedPaymentDate(NominalPaymentDate(loanDate, paymentDay, k), shift, isWorkingDay));
    }
    return dates;
}

}  // namespace loan
