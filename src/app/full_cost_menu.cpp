#include "app/full_cost_menu.h"

#include "loan/full_cost.h"
#include "loan/number_text.h"

namespace app {

namespace {

constexpr int kMonthsPerYear = 12;

std::string refusalText(loan::FullCostStatus status, const std::string& paid,
                        const std::string& loanSum) {
    switch (status) {
        case loan::FullCostStatus::NoLoan:
            return "Полная стоимость кредита считается только для суммы кредита больше нуля.";
        case loan::FullCostStatus::NegativePayment:
            return "В графике есть платежи меньше нуля: полная стоимость кредита не определена.";
        case loan::FullCostStatus::PaymentsTooSmall:
            return "Платежи по графику (всего " + paid + ") меньше суммы кредита (" + loanSum +
                   "):\rполная стоимость кредита не определена.";
        case loan::FullCostStatus::PaymentBeforeLoan:
            return "В графике есть платежи раньше получения кредита: полная стоимость кредита не "
                   "определена.";
        case loan::FullCostStatus::NoFiniteRate:
        case loan::FullCostStatus::Found:
            break;
    }
    return "Платежи в день получения кредита покрывают его сумму:\r"
           "полная стоимость кредита не определена.";
}

}  // namespace

int ComputedScheduleRows(const loan::ScheduleTable& table) {
    int row = 1;
    while (row < table.rowCount() && table.cell(0, row) == std::to_string(row)) ++row;
    const bool totalsFollow = row < table.rowCount() && table.cell(0, row) == loan::kTotalsLabel;
    return row > 1 && totalsFollow ? row - 1 : 0;
}

FullCostOutcome ScheduleFullCost(const MainForm& form) {
    const loan::ScheduleTable& table = form.StringGrid1;
    const int months = ComputedScheduleRows(table);
    if (months == 0)
        return {std::nullopt, "В таблице нет рассчитанного графика платежей."};

    const loan::ScaledAmount loanSum = loan::ParseAmount(table.cell(2, 1), form.locale());
    std::vector<loan::LoanPayment> payments;
    for (int month = 1; month <= months; ++month) {
        payments.push_back({loan::ParseAmount(table.cell(6, month), form.locale()), month});
    }
    const loan::ScaledAmount paid = loan::SumColumn(table, 6, months, form.locale());
    const loan::FullCostRate rate = loan::SolveFullCostRate(loanSum, payments, kMonthsPerYear);
    if (rate.status != loan::FullCostStatus::Found) {
        return {std::nullopt,
                refusalText(rate.status, form.FormatMoney(paid), form.FormatMoney(loanSum))};
    }
    return {FullCostFigures{loan::FormatFullCostPercent(rate.percentPerYear, form.locale()),
                            form.FormatMoney(loan::SubtractAmounts(paid, loanSum))},
            {}};
}

bool MainForm::FullCostEnabled() const {
    return N13.Checked && ComputedScheduleRows(StringGrid1) > 0;
}

void MainForm::FullCostClick() {
    if (!FullCostEnabled())
        return;
    const FullCostOutcome outcome = ScheduleFullCost(*this);
    if (!outcome.figures) {
        showMessage(kFullCostCaption, outcome.refusal);
        return;
    }
    showMessage(kFullCostCaption, "ПСК: " + outcome.figures->percent + " % годовых\r" +
                                      "ПСК в денежном выражении: " + outcome.figures->money);
}

}  // namespace app
