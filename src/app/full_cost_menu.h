#pragma once

// "Полная стоимость кредита...": the full cost of credit of the schedule in the table.

#include <optional>
#include <string>

#include "app/main_form.h"

namespace app {

inline constexpr const char* kFullCostCaption = "Полная стоимость кредита";
inline constexpr const char* kFullCostPercentCaption = "ПСК, % годовых";
inline constexpr const char* kFullCostMoneyCaption = "ПСК, сумма";

struct FullCostFigures {
    std::string percent;  // "12,000": three decimals, the form's separator
    std::string money;    // the payments less the loan sum, as the table's amounts
};

struct FullCostOutcome {
    std::optional<FullCostFigures> figures;
    std::string refusal;  // why there are none, as the person is told
};

// Rows 1..n of a computed schedule followed by its totals row; 0 when the table holds none.
int ComputedScheduleRows(const loan::ScheduleTable& table);

// The schedule's loan sum (the first row's balance) received at the loan date and each
// month's "Всего за платеж" paid that many months later, with a month as the base period.
FullCostOutcome ScheduleFullCost(const MainForm& form);

}  // namespace app
