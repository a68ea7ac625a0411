#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "planner_fixture.h"

namespace {

using testing_support::PlannerFixture;

TEST_F(PlannerFixture, TheBudgetTakesPartFromTheNextCalculationAndBadOnesRefuseIt) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    const int plainRows = planner.Table().rowCount();
    planner.Budget.Text = "60000";
    // Read with the loan: the table stays until the plan is computed again.
    EXPECT_EQ(planner.Table().rowCount(), plainRows);
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(row(2), (std::vector<std::string>{"2", "29.02.2024", "962434,73", "12926,53",
                                                "0,00", "12926,53", "досрочный"}));
    EXPECT_EQ(planner.RowKind(2), loan::PlanRowKind::Prepayment);
    EXPECT_EQ(value("Бюджет в месяц"), "60000,00");
    ASSERT_TRUE(planner.Terms().budget);
    EXPECT_EQ(planner.Terms().budget->mode, loan::PrepaymentMode::LowerPayment);
    const auto lines = planner.InformationLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Бюджет в месяц         : 60000,00  уменьшение платежа"),
              lines.end());
    // The budget belongs to the plan as entered, not to the plan without prepayments.
    const auto comparison = planner.ComparisonTexts();
    EXPECT_NE(comparison[0][6], "0,00");
    EXPECT_EQ(comparison[1][6], "0,00");

    planner.BudgetMode = loan::PrepaymentMode::ShortenTerm;
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(planner.Terms().budget->mode, loan::PrepaymentMode::ShortenTerm);

    for (const std::string& bad : {"100,005", "200000000000"}) {
        port.messages.clear();
        planner.Budget.Text = bad;
        EXPECT_FALSE(planner.Calculate()) << bad;
        EXPECT_FALSE(planner.HasPlan());
        ASSERT_EQ(port.messages.size(), 1u) << bad;
    }
    EXPECT_NE(messageTexts().back().find("Платить в месяц всего"), std::string::npos);
    planner.Budget.Text = "0";
    ASSERT_TRUE(planner.Calculate());
    EXPECT_FALSE(planner.Terms().budget);
    EXPECT_EQ(planner.Table().rowCount(), plainRows);
    EXPECT_EQ(value("Бюджет в месяц"), "(none)");
}

TEST_F(PlannerFixture, TheGoalIsFoundShownAndAddedToTheListOnce) {
    enterExampleLoan();
    planner.TargetDate.Date = {2024, 12, 31};
    ASSERT_TRUE(planner.FindGoalClick());
    EXPECT_TRUE(planner.HasTarget);
    EXPECT_TRUE(planner.HasPlan());
    ASSERT_TRUE(planner.Goal());
    EXPECT_EQ(planner.Goal()->monthly, loan::ToScaled(49328));
    const std::vector<std::string> lines = planner.GoalLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Ежемесячно досрочно к 31.12.2024: 49328,00");
    EXPECT_EQ(lines[1], "Последний платеж: 31.12.2024");
    const std::string entered = value("Выплачено процентов");  // without the goal

    ASSERT_TRUE(planner.AddGoalClick());
    ASSERT_EQ(planner.Prepayments().size(), 1u);
    EXPECT_EQ(planner.PrepaymentTexts(0), (std::array<std::string, 4>{
                                              "29.02.2024", "49328,00", "сокращение срока",
                                              "ежемесячно"}));
    EXPECT_EQ(value("Последний платеж"), "31.12.2024");
    // The saving shown is what the plan's interest fell by.
    const auto money = [](const std::string& text) {
        std::string digits;
        for (const char c : text) {
            if (c != ',')
                digits += c;
        }
        return std::stoll(digits);
    };
    EXPECT_EQ(lines[2], "Экономия на процентах: " +
                            planner.FormatMoney(loan::ToScaled(
                                static_cast<double>(money(entered) -
                                                    money(value("Выплачено процентов"))) /
                                100)));
    EXPECT_TRUE(port.messages.empty()) << messageTexts().front();

    // A second press adds nothing; a new search finds nothing more to add.
    EXPECT_FALSE(planner.AddGoalClick());
    EXPECT_EQ(planner.Prepayments().size(), 1u);
    ASSERT_TRUE(planner.FindGoalClick());
    EXPECT_EQ(planner.Goal()->outcome, loan::PlanGoalOutcome::AlreadyMet);
    EXPECT_EQ(planner.GoalLines(),
              (std::vector<std::string>{"Ежемесячно досрочно к 31.12.2024: 0,00",
                                        "Не нужно: кредит и так погашается к этой дате,",
                                        "последний платеж 31.12.2024."}));
    EXPECT_EQ(planner.GoalNote(),
              "Досрочное погашение не нужно: кредит и так погашается к 31.12.2024 (последний "
              "платеж 31.12.2024).");
    EXPECT_EQ(planner.GoalValue(),
              (std::pair<std::string, std::string>{
                  "Ежемесячное досрочное погашение для погашения к 31.12.2024", "0,00"}));
    port.messages.clear();
    EXPECT_FALSE(planner.AddGoalClick());
    EXPECT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(planner.Prepayments().size(), 1u);

    // The answer holds for the plan it was found on: computed again, it goes.
    ASSERT_TRUE(planner.FindGoalClick());
    planner.Sum.Text = "2000000";
    ASSERT_TRUE(planner.Calculate());
    EXPECT_FALSE(planner.Goal());
    EXPECT_TRUE(planner.GoalLines().empty());
}

TEST_F(PlannerFixture, AGoalBeforeTheFirstPaymentOrWithoutALoanIsRefused) {
    enterExampleLoan();
    planner.TargetDate.Date = {2024, 2, 28};
    EXPECT_FALSE(planner.FindGoalClick());
    EXPECT_FALSE(planner.Goal());
    EXPECT_TRUE(planner.GoalLines().empty());
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"Дата \"Погасить к\" (28.02.2024) раньше первого "
                                        "планового платежа (29.02.2024): к ней кредит не "
                                        "погасить."}));
    // The plan itself is computed.
    EXPECT_TRUE(planner.HasPlan());

    port.messages.clear();
    planner.Sum.Text = "";
    planner.TargetDate.Date = {2024, 12, 31};
    EXPECT_FALSE(planner.FindGoalClick());
    EXPECT_FALSE(planner.Goal());
    EXPECT_EQ(port.messages.size(), 1u);
}

}  // namespace
