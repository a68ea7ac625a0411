// Loans whose payments would fall after 31.12.9999, the last date the program writes: the
// form refuses them in every command rather than write years of five digits.

#include <gtest/gtest.h>

#include "support/cli_run.h"

namespace {

using testing_support::CliRun;
using testing_support::RunCliCommand;

const std::string kPastLastDate =
    "Ошибка!!!: Платежи по кредиту пришлись бы на даты после 31.12.9999, а даты в программе — "
    "не позже этого дня.\nУменьшите срок или выберите более раннюю дату.\n";

std::vector<std::string> loan(const std::string& command, const std::string& date,
                              const std::string& term, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {command, "--date", date,     "--term", term,
                                     "--sum", "1000",   "--rate", "10"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(LastDate, ALoanPastTheLastDateIsRefusedByEveryCommand) {
    for (const auto& args : {
             loan("schedule", "31.12.9999", "24"),
             loan("schedule", "01.01.9999", "13"),
             loan("schedule", "31.12.9999", "24", {"--pdf", "/nonexistent/never.pdf"}),
             loan("plan", "31.12.9999", "24"),
             loan("plan", "31.01.9999", "12", {"--equal"}),
             loan("register", "01.12.9998", "36", {"--pay", "10.01.9999:100:pi"}),
         }) {
        const CliRun r = RunCliCommand(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args[2] << " " << args[4];
        EXPECT_EQ(r.out.find("10000"), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(kPastLastDate), std::string::npos) << r.err;
    }
}

TEST(LastDate, ALoanEndingOnTheLastDateIsComputed) {
    for (const auto& args : {
             loan("schedule", "31.12.9998", "12"),
             loan("plan", "31.12.9998", "12", {"--shift", "none"}),
             loan("register", "01.12.9998", "12", {"--pay", "10.01.9999:100:pi"}),
         }) {
        const CliRun r = RunCliCommand(args);
        EXPECT_EQ(r.status, 0) << args[0] << ": " << r.err;
        EXPECT_NE(r.out.find("9999"), std::string::npos) << r.out;
    }
}

// A forecast that would run past the last date is left out, and said so; the payments stay.
TEST(LastDate, AForecastPastTheLastDateIsLeftOut) {
    const CliRun r = RunCliCommand(loan("register", "01.12.9997", "24",
                                        {"--forecast", "fixed:5", "--pay", "10.01.9998:10:pi"}));
    EXPECT_NE(r.err.find(kPastLastDate), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("10.01.9998"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("10000"), std::string::npos) << r.out;
}

}  // namespace
