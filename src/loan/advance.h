#pragma once

// Walks over the recorded payment rows of the table (rows 1..n, payment-input layout).
// A payment month is the month of row 1 and that of every row whose month or year differs
// from the row before it; calendar months without a payment are not counted.

#include <optional>

#include "loan/date.h"
#include "text/locale.h"
#include "loan/money.h"
#include "loan/schedule_table.h"

namespace loan {

// Principal paid in rows 1..rowCount (column 3) minus `monthlyPrincipal` (currency units)
// per payment month: positive when the payments run ahead of the standard schedule. Zero
// for rowCount <= 0. `monthDistance` is left as the last month comparison set it.
ScaledAmount AdvanceOverSchedule(const ScheduleTable& table, int rowCount, double monthlyPrincipal,
                                 const Locale& locale, double& monthDistance);

// The number of payment months among rows 1..n (n >= 1).
int PaymentMonthCount(const ScheduleTable& table, int n, double& monthDistance);

// The dates of the payment rows compared row after row: what both walks below share.
class PaymentDateSteps {
  public:
    struct Step {
        Date date;
        bool sameMonth = false;
        double monthDistance = 0;
    };
    // Row `row` (2 or more) against the row before it; `monthDistance` is written as
    // SameMonth writes it.
    Step compare(const ScheduleTable& table, int row, double& monthDistance) const;
    // The step of `row` was taken: its date serves the comparison of the next row.
    void keep(int row, const Step& step);
    // Leaves `monthDistance` as the comparisons of rows 2..row would have left it.
    void restoreDistance(int row, double& monthDistance) const;

  private:
    std::optional<Date> previous_;
    int previousRow_ = 0;
    double previousDistance_ = 0;
};

// AdvanceOverSchedule as a walk that can be continued: rows 1..rows() are taken, and
// extend() takes the next ones, with exactly the steps of a walk from row 1.
class AdvanceWalk {
  public:
    explicit AdvanceWalk(double monthlyPrincipal = 0);
    double monthlyPrincipal() const { return monthlyPrincipal_; }
    int rows() const { return rows_; }
    // Takes rows rows()+1..rowCount; `monthDistance` ends as a walk over 1..rowCount leaves it.
    void extend(const ScheduleTable& table, int rowCount, const Locale& locale,
                double& monthDistance);
    ScaledAmount advance() const { return SubtractAmounts(0, shortfall_); }

  private:
    double monthlyPrincipal_;
    Extended due_;
    ScaledAmount shortfall_ = 0;  // against the schedule; the advance is its negation
    int rows_ = 0;
    PaymentDateSteps dates_;
};

// PaymentMonthCount as a walk that can be continued.
class PaymentMonthWalk {
  public:
    int rows() const { return rows_; }
    void extend(const ScheduleTable& table, int n, double& monthDistance);
    int months() const { return months_; }

  private:
    int months_ = 0;
    int rows_ = 0;
    PaymentDateSteps dates_;
};

}  // namespace loan
