// What the printed plan shows besides its table: the loan with its lists above it, and the
// months each variant of the comparison saves on the term.

#include <gtest/gtest.h>

#include "app/planner_form.h"
#include "support/fake_port.h"

namespace {

using app::PlannerForm;
using loan::Date;

struct PlannerPrintout : testing::Test {
    PlannerPrintout() {
        planner.Sum.Text = "1000000";
        planner.Rate.Text = "12,5";
        planner.Term.Text = "24";
        planner.LoanDate.Date = {2024, 1, 31};
        planner.EqualPaymentsClick();
        planner.Payment.Text = "0";
    }

    testing_support::FakePort port;
    PlannerForm planner{port, loan::Locale::withSeparator(',')};
};

TEST_F(PlannerPrintout, TheLinesNameTheComputedLoanAndItsListsInAlignedColumns) {
    EXPECT_TRUE(planner.InformationLines().empty());
    ASSERT_TRUE(planner.Calculate());
    planner.AddPrepayment({{2024, 3, 31}, "500000", loan::PrepaymentMode::LowerPayment, false});
    planner.AddPrepayment({{2024, 6, 30}, "20000", loan::PrepaymentMode::ShortenTerm, true});
    planner.AddRateChange({{2024, 9, 1}, "10"});
    // A field changed without a new calculation is not what the printed plan shows.
    planner.Sum.Text = "5";

    EXPECT_EQ(planner.InformationLines(),
              (std::vector<std::string>{
                  "Сумма кредита          : 1000000,00",
                  "Процентная ставка      : 12,5 %",
                  "Срок погашения         : 24 месяца",
                  "Дата получения кредита : 31.01.2024",
                  "Схема погашения        : равными платежами",
                  "Ежемесячный платеж     : 47307,31",  // S·i / (1 − (1+i)^−24), i = 12,5 / 1200
                  "Досрочные погашения    : 31.03.2024  500000,00  уменьшение платежа",
                  "                         30.06.2024  20000,00  сокращение срока, ежемесячно",
                  "Изменения ставки       : 01.09.2024  10 %",
              }));

    // The contract's payment is marked; a differentiated loan says so.
    planner.Sum.Text = "1000000";
    planner.Payment.Text = "50000";
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(planner.InformationLines()[5], "Ежемесячный платеж     : 50000,00  (по договору)");
    planner.DifferentiatedClick();
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(planner.InformationLines()[4],
              "Схема погашения        : дифференцированными платежами");
    EXPECT_EQ(planner.InformationLines()[5],
              "Ежемесячный платеж     : 51571,04");  // S / 24 + 29 days at 12,5 % of 366
}

TEST_F(PlannerPrintout, ALongListShowsItsFirstEntriesAndCountsTheRest) {
    ASSERT_TRUE(planner.Calculate());
    for (int month = 2; month <= 12; ++month)
        planner.AddPrepayment(
            {{2024, month, 15}, "1000", loan::PrepaymentMode::ShortenTerm, false});
    const std::vector<std::string> lines = planner.InformationLines();
    ASSERT_EQ(lines.size(), 6u + PlannerForm::kListedEntries + 1);
    EXPECT_EQ(lines[6], "Досрочные погашения    : 15.02.2024  1000,00  сокращение срока");
    EXPECT_EQ(lines[13], "                         15.09.2024  1000,00  сокращение срока");
    EXPECT_EQ(lines[14], "                         ... и еще 3");
}

TEST_F(PlannerPrintout, EachVariantSavesTheRegularPaymentsItHasFewerThanTheLoanWithout) {
    EXPECT_EQ(planner.ShorterTermMonths(), (std::array<int, 4>{}));
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(planner.ShorterTermMonths(), (std::array<int, 4>{}));
    planner.AddPrepayment({{2024, 3, 31}, "500000", loan::PrepaymentMode::LowerPayment, false});
    const auto texts = planner.ComparisonTexts();
    const std::array<int, 4> shorter = planner.ShorterTermMonths();
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(shorter[i], std::stoi(texts[1][1]) - std::stoi(texts[i][1])) << i;
    // Lowering the payment keeps the term; shortening it saves months.
    EXPECT_EQ(shorter[0], 0);
    EXPECT_EQ(shorter[1], 0);
    EXPECT_GT(shorter[2], 0);
    EXPECT_EQ(shorter[3], 0);
}

}  // namespace
