#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "planner_fixture.h"

namespace {

using loan::Date;
using testing_support::PlannerFixture;

TEST_F(PlannerFixture, TheReportListsThePlanAndTheThreeOtherVariantsInOrder) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000", true));
    std::vector<std::string> captions;
    for (const auto& [caption, text] : planner.Report().values) captions.push_back(caption);
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "Ежемесячный платеж",
                            "Плановых платежей",
                            "Срок короче, мес.",
                            "Последний платеж",
                            "Выплачено процентов",
                            "Полная сумма выплат",
                            "Экономия на процентах",
                            "Без досрочных погашений: последний платеж",
                            "Без досрочных погашений: плановых платежей",
                            "Без досрочных погашений: срок короче, мес.",
                            "Без досрочных погашений: первый платеж",
                            "Без досрочных погашений: сумма последнего платежа",
                            "Без досрочных погашений: проценты",
                            "Без досрочных погашений: экономия",
                            "Сокращение срока: последний платеж",
                            "Сокращение срока: плановых платежей",
                            "Сокращение срока: срок короче, мес.",
                            "Сокращение срока: первый платеж",
                            "Сокращение срока: сумма последнего платежа",
                            "Сокращение срока: проценты",
                            "Сокращение срока: экономия",
                            "Уменьшение платежа: последний платеж",
                            "Уменьшение платежа: плановых платежей",
                            "Уменьшение платежа: срок короче, мес.",
                            "Уменьшение платежа: первый платеж",
                            "Уменьшение платежа: сумма последнего платежа",
                            "Уменьшение платежа: проценты",
                            "Уменьшение платежа: экономия",
                        }));
    EXPECT_EQ(value("Ежемесячный платеж"), "47073,47");
    EXPECT_EQ(value("Без досрочных погашений: экономия"), "0,00");
    EXPECT_EQ(value("Сокращение срока: последний платеж"), "31.01.2025");
    EXPECT_EQ(value("Уменьшение платежа: проценты"), value("Выплачено процентов"));
    // Shortening the term, the 24 payments become 12; the plan as entered keeps them.
    EXPECT_EQ(value("Срок короче, мес."), "0");
    EXPECT_EQ(value("Сокращение срока: плановых платежей"), "12");
    EXPECT_EQ(value("Сокращение срока: срок короче, мес."), "12");
    EXPECT_EQ(value("Без досрочных погашений: срок короче, мес."), "0");
    // Each payment a number of its own, not "A / A'".
    EXPECT_EQ(value("Уменьшение платежа: первый платеж"), "47073,47");
    // The last row repays what is left: a little below the lowered payment of 21 624,37.
    EXPECT_EQ(value("Уменьшение платежа: сумма последнего платежа"), "21608,38");

    // The comparison table holds the same figures, the plan as entered first.
    const auto rows = planner.ComparisonTexts();
    EXPECT_EQ(rows[0][0], "Введенный план");
    EXPECT_EQ(rows[3][0], "Уменьшение платежа");
    EXPECT_EQ(rows[3][3], "47073,47 / 21624,37");
    EXPECT_EQ(rows[2][2], "31.01.2025");
    EXPECT_EQ(rows[1][1], "24");
    EXPECT_EQ(rows[0][6], value("Экономия на процентах"));
}

// A contract payment below the interest leaves the debt standing: the rows pay the interest
// and the last one the whole debt, and the comparison says what they pay, not the payment.
TEST_F(PlannerFixture, APaymentBelowTheInterestIsToldAndTheComparisonShowsTheRows) {
    enterExampleLoan();
    planner.Payment.Text = "5000";
    ASSERT_TRUE(planner.Calculate());
    const int count = planner.Table().rowCount() - 2;
    ASSERT_EQ(count, 24);
    const std::string first = planner.Table().cell(5, 1);
    const std::string last = planner.Table().cell(5, count);
    EXPECT_EQ(first, planner.Table().cell(4, 1));  // the interest alone
    EXPECT_EQ(planner.Table().cell(3, count), "1000000,00");  // the whole debt at the end
    EXPECT_EQ(planner.ComparisonTexts()[0][3], first + " / " + last);
    EXPECT_EQ(planner.ComparisonTexts()[1][3], first + " / " + last);

    const std::string warning = "Платеж по договору 5000,00 не покрывает проценты (" + first +
                                "): в такие месяцы платятся только проценты, а долг переходит "
                                "на последний платеж.";
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Внимание!!!");
    EXPECT_EQ(port.messages[0].text, warning);
    EXPECT_EQ(planner.Notes(), std::vector<std::string>{warning});
    EXPECT_TRUE(planner.Refusals().empty());  // the plan is computed, nothing refused
    ASSERT_TRUE(planner.Calculate());  // told once, kept in the notes
    EXPECT_EQ(port.messages.size(), 1u);

    // A payment that covers the interest keeps the comparison as it was: the payment itself.
    planner.Payment.Text = "50000";
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(planner.ComparisonTexts()[0][3], "50000,00 / 50000,00");
    EXPECT_TRUE(planner.Notes().empty());
}

TEST_F(PlannerFixture, TheBalanceCurveRunsFromTheSumToZeroOnePointADate) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000"));
    const auto curve = planner.BalanceCurve(loan::PlanVariant::AsEntered);
    ASSERT_EQ(curve.size(), 13u);
    EXPECT_EQ(curve.front().date, (Date{2024, 1, 31}));
    EXPECT_EQ(curve.front().balance, loan::ToScaled(1000000));
    // The regular payment and the prepayment of 31.03 make one point.
    EXPECT_EQ(curve[2].date, (Date{2024, 3, 31}));
    EXPECT_EQ(curve[2].balance, loan::ToScaled(425143.38L));
    EXPECT_EQ(curve.back().balance, 0);
    const auto without = planner.BalanceCurve(loan::PlanVariant::WithoutPrepayments);
    EXPECT_EQ(without.size(), 25u);
    EXPECT_EQ(without.back().date, (Date{2026, 1, 31}));
}

}  // namespace
