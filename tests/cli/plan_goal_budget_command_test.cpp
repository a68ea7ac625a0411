#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/cli_run.h"

namespace {

using testing_support::CliRun;
using testing_support::lines;
using testing_support::RunCliCommand;
using testing_support::with;

// 1 000 000 at 12 % for 24 months from 31.01.2024, equal payments, as CSV with ",".
const std::vector<std::string> kLoan = {
    "plan",  "--sum", "1000000", "--rate", "12", "--term", "24", "--date", "31.01.2024",
    "--equal", "--csv", "--decimal-separator", ","};

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find(';', start)) != std::string::npos; start = end + 1)
        fields.push_back(line.substr(start, end - start));
    fields.push_back(line.substr(start));
    return fields;
}

// The table rows of a CSV plan (between the header and the totals).
std::vector<std::vector<std::string>> tableRows(const std::vector<std::string>& out) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 1; i < out.size() && out[i].rfind("Всего:", 0) != 0; ++i)
        rows.push_back(split(out[i]));
    return rows;
}

long long kopecks(const std::string& money) {
    std::string digits;
    for (const char c : money) {
        if (c != ',')
            digits += c;
    }
    return std::stoll(digits);
}

TEST(PlanBudgetCommand, PaysTheBudgetEveryDateAndSaysSoAmongTheSummaryLines) {
    for (const std::string& budget : {"60000", "60000:payment", "60000:term"}) {
        SCOPED_TRACE(budget);
        const CliRun run = RunCliCommand(with(kLoan, {"--budget", budget}));
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        const std::vector<std::string> out = lines(run.out);
        // Regular and budget rows together pay 60 000,00 on every date but the last.
        std::map<std::string, long long> paid;
        std::vector<std::string> dates;
        for (const auto& row : tableRows(out)) {
            ASSERT_EQ(row.size(), 8u);
            if (paid.find(row[1]) == paid.end())
                dates.push_back(row[1]);
            paid[row[1]] += kopecks(row[5]);
            if (row[6] == "досрочный")
                EXPECT_EQ(row[4], "0,00");
        }
        ASSERT_GT(dates.size(), 10u);
        ASSERT_LT(dates.size(), 24u);
        for (std::size_t i = 0; i + 1 < dates.size(); ++i)
            EXPECT_EQ(paid[dates[i]], 6000000) << dates[i];
        EXPECT_LT(paid[dates.back()], 6000000);
        const auto summary = std::find(out.begin(), out.end(), "Ежемесячный платеж;47073,47");
        ASSERT_NE(summary, out.end());
        EXPECT_EQ(*(summary + 1), "Бюджет в месяц;60000,00");
    }
    // Without a budget the line is not there.
    const CliRun plain = RunCliCommand(kLoan);
    EXPECT_EQ(plain.out.find("Бюджет в месяц"), std::string::npos);
}

TEST(PlanBudgetCommand, BadBudgetsAreRefusedAsOtherBadInput) {
    for (const std::string& bad : {"60000:monthly", "60000:term:payment", "много", "-5", "1e12",
                                   "100000000000.01"}) {
        const CliRun run = RunCliCommand(with(kLoan, {"--budget", bad}));
        EXPECT_EQ(run.status, 64) << bad;
        EXPECT_EQ(run.out, "") << bad;
        EXPECT_NE(run.err.find("--budget"), std::string::npos) << bad;
    }
    // A number the field takes but not in roubles and kopecks: the planner refuses it.
    const CliRun fraction = RunCliCommand(with(kLoan, {"--budget", "100,005"}));
    EXPECT_EQ(fraction.status, 2);
    EXPECT_EQ(fraction.out, "");
    EXPECT_NE(fraction.err.find("копейках"), std::string::npos);
    // 0 is no budget.
    const CliRun zero = RunCliCommand(with(kLoan, {"--budget", "0"}));
    EXPECT_EQ(zero.status, 0);
    EXPECT_EQ(zero.out, RunCliCommand(kLoan).out);
}

TEST(PlanGoalCommand, FindsTheMonthlyPrepaymentAndComputesThePlanWithIt) {
    const CliRun run = RunCliCommand(with(kLoan, {"--target-date", "31.12.2024"}));
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), "Ежемесячное досрочное погашение для погашения к 31.12.2024;53408,00");
    // The plan holds it: monthly from the first regular date 29.02.2024, shortening the term,
    // and the loan is repaid by the date.
    const auto rows = tableRows(out);
    ASSERT_GT(rows.size(), 2u);
    EXPECT_EQ(rows[1][1], "29.02.2024");
    EXPECT_EQ(rows[1][5], "53408,00");
    EXPECT_EQ(rows[1][6], "досрочный");
    const std::string last = rows.back()[1];
    EXPECT_TRUE(last.substr(6) == "2024" && last.substr(3, 2) <= "12") << last;
    // One rouble less is not enough: the same plan with 53 407 a month ends in 2025.
    const CliRun less = RunCliCommand(with(kLoan, {"--prepay", "29.02.2024:53407:term:monthly"}));
    const auto lessRows = tableRows(lines(less.out));
    EXPECT_EQ(lessRows.back()[1].substr(6), "2025");
    // The comparison counts it as part of the plan as entered.
    EXPECT_NE(std::find(out.begin(), out.end(), "Последний платеж;29.12.2024"), out.end());

    // The aligned form prints it as the other summary lines.
    const CliRun aligned = RunCliCommand({"plan", "--sum", "1000000", "--rate", "12", "--term",
                                          "24", "--date", "31.01.2024", "--equal",
                                          "--target-date", "31.12.2024", "--decimal-separator",
                                          "."});
    EXPECT_EQ(lines(aligned.out).back(),
              "Ежемесячное досрочное погашение для погашения к 31.12.2024: 53408.00");
}

TEST(PlanGoalCommand, ADateTheLoanMeetsNeedsNothingAndOneBeforeTheFirstPaymentIsRefused) {
    const CliRun met = RunCliCommand(with(kLoan, {"--target-date", "01.03.2026"}));
    EXPECT_EQ(met.status, 0);
    EXPECT_EQ(lines(met.out).back(),
              "Ежемесячное досрочное погашение для погашения к 01.03.2026;0,00");
    EXPECT_NE(met.err.find("Примечание: Досрочное погашение не нужно"), std::string::npos);
    // The plan is the one without a goal, the line apart.
    const std::string plain = RunCliCommand(kLoan).out;
    EXPECT_EQ(met.out.substr(0, plain.size()), plain);

    for (const std::string& early : {"28.02.2024", "31.01.2024", "01.01.2020"}) {
        const CliRun refused = RunCliCommand(with(kLoan, {"--target-date", early}));
        EXPECT_EQ(refused.status, 2) << early;
        EXPECT_EQ(refused.out, "") << early;
        EXPECT_NE(refused.err.find("раньше первого планового платежа (29.02.2024)"),
                  std::string::npos)
            << refused.err;
    }
    const CliRun bad = RunCliCommand(with(kLoan, {"--target-date", "31.02.2024"}));
    EXPECT_EQ(bad.status, 64);
}

}  // namespace
