#pragma once

// Walks over the recorded payment rows of the table (rows 1..n, payment-input layout).
// A payment month is the month of row 1 and that of every row whose month or year differs
// from the row before it; calendar months without a payment are not counted.

#include "loan/locale.h"
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

}  // namespace loan
