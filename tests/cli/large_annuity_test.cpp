// Annuities of a mortgage's size: above 100 000 a month and up to what the 32-bit monthly
// payment field holds.

#include <gtest/gtest.h>

#include "support/cli_run.h"

namespace {

using testing_support::CliRun;
using testing_support::RunCliCommand;

const std::vector<std::string> kMortgage = {
    "schedule", "--sum",  "15000000",   "--rate",  "12",    "--term",
    "60",       "--date", "10.03.2004", "--equal", "--csv", "--decimal-separator",
    ","};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(LargeAnnuity, TheSuggestedAnnuityIsTakenAndComputed) {
    const CliRun r = RunCliCommand(kMortgage);
    ASSERT_EQ(r.status, 0) << r.err;
    // The first press suggests the annuity, the second computes with it.
    EXPECT_NE(r.err.find("должна быть равна 333667,00 для кредитов,"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("\n1;Апрель 2004;15000000,00;183667,00;150000,00;0,00;333667,00\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n60;Март 2009;"), std::string::npos);
    EXPECT_NE(r.out.find("\nОстаток;0,00\n"), std::string::npos);
}

TEST(LargeAnnuity, APaymentAboveTheOldLimitIsTypedAsGiven) {
    CliRun r = RunCliCommand(with(kMortgage, {"--payment", "333667"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\n1;Апрель 2004;15000000,00;183667,00;150000,00;0,00;333667,00\n"),
              std::string::npos);

    // An own payment of half a million repays the loan in fewer months.
    r = RunCliCommand(with(kMortgage, {"--payment", "500000", "--own"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\n1;Апрель 2004;15000000,00;350000,00;150000,00;0,00;500000,00\n"),
              std::string::npos);
    EXPECT_EQ(r.out.find("\n40;"), std::string::npos);
}

TEST(LargeAnnuity, AnAnnuityBeyondThirtyTwoBitsStaysRefused) {
    // About 8.9 billion a month: the field stops at its bound, so the mismatch repeats.
    const CliRun r = RunCliCommand(
        {"schedule", "--sum", "100000000000", "--rate", "12", "--term", "12", "--equal"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Внимание!!!"), std::string::npos);
}

}  // namespace
