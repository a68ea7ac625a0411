#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace {

using testing_support::CliRun;
using testing_support::RunCliCommand;

struct Refusal {
    std::vector<std::string> args;
    std::string message;  // the first line on standard error
};

std::vector<std::string> loan(std::vector<std::string> more, const std::string& command,
                              const std::string& sum = "12000", const std::string& rate = "12",
                              const std::string& term = "12") {
    std::vector<std::string> args = {
        command, "--sum", sum, "--rate", rate, "--term", term, "--decimal-separator", "."};
    if (command == "register") {
        args.push_back("--date");
        args.push_back("10.01.2005");
    }
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Each of these was once taken as a number, typed with a character dropped or held at the
// field's bound, and computed as another loan with exit status 0.
TEST(ArgumentCheck, AValueTheFieldWouldChangeIsRefusedWithWhatItTakes) {
    const std::string number = ", written with digits, a sign and '.'";
    const std::vector<Refusal> refusals = {
        {loan({}, "schedule", "9e18"),
         "ssudomer-cli: --sum '9e18' is not what its field takes: a number from 0 to "
         "100000000000" +
             number},
        {loan({}, "schedule", "100000000000.01"),
         "ssudomer-cli: --sum '100000000000.01' is not what its field takes: a number from 0 "
         "to 100000000000" +
             number},
        {loan({"--date", "31.01.2024"}, "plan", "100000000000.01"),
         "ssudomer-cli: --sum '100000000000.01' is not what its field takes: a number from 0 "
         "to 100000000000" +
             number},
        {loan({}, "register", "100000000000.01"),
         "ssudomer-cli: --sum '100000000000.01' is not what its field takes: a number from 0 "
         "to 100000000000" +
             number},
        {loan({}, "schedule", "12000", "1e9"),
         "ssudomer-cli: --rate '1e9' is not what its field takes: a number from 0 to 100000" +
             number},
        {loan({}, "schedule", "12000", "1000000000"),
         "ssudomer-cli: --rate '1000000000' is not what its field takes: a number from 0 to "
         "100000" +
             number},
        {loan({}, "schedule", "12000", "-1"),
         "ssudomer-cli: --rate '-1' is not what its field takes: a number from 0 to 100000" +
             number},
        {loan({}, "schedule", "12000", "12", "100001"),
         "ssudomer-cli: --term '100001' is not what its field takes: a whole number from 0 to "
         "100000, written with digits and a sign"},
        {loan({"--fee", "1e9"}, "schedule"),
         "ssudomer-cli: --fee '1e9' is not what its field takes: a number from 0 to 100" + number},
        {loan({"--fee", "1e9", "--fee-basis", "fixed"}, "schedule"),
         "ssudomer-cli: --fee '1e9' is not what its field takes: a number" + number},
        {loan({"--fee", "100.5"}, "schedule"),
         "ssudomer-cli: --fee '100.5' is not what its field takes: a number from 0 to 100" +
             number},
        {loan({"--equal", "--payment", "2147483648"}, "schedule"),
         "ssudomer-cli: --payment '2147483648' is not what its field takes: a whole number from "
         "0 to 2147483647, written with digits and a sign"},
        {loan({"--equal", "--payment", "-1"}, "schedule"),
         "ssudomer-cli: --payment '-1' is not what its field takes: a whole number from 0 to "
         "2147483647, written with digits and a sign"},
        // The plan's payment is an amount, up to the amount limit.
        {loan({"--date", "31.01.2024", "--equal", "--payment", "100000000000.01"}, "plan"),
         "ssudomer-cli: --payment '100000000000.01' is not what its field takes: a number from "
         "0 to 100000000000" +
             number},
        {loan({"--date", "31.01.2024", "--equal", "--payment", "-1"}, "plan"),
         "ssudomer-cli: --payment '-1' is not what its field takes: a number from 0 to "
         "100000000000" +
             number},
        {loan({"--pay", "10.02.2005:1e3:pi"}, "register"),
         "ssudomer-cli: --pay '10.02.2005:1e3:pi' is not what its field takes: a number" + number},
        {loan({"--forecast", "fixed:1e300"}, "register"),
         "ssudomer-cli: --forecast 'fixed:1e300' is not what its field takes: a number from 0 "
         "to 100000000000" +
             number},
        {{"show", "any.crp", "--forecast", "fixed:1e3"},
         "ssudomer-cli: --forecast 'fixed:1e3' is not what its field takes: a number from 0 "
         "to 100000000000, written with digits, a sign and '" +
             std::string(1, ',') + "'"},
    };
    for (const Refusal& refusal : refusals) {
        std::vector<std::string> args = refusal.args;
        if (args.front() == "show")
            args.insert(args.end(), {"--decimal-separator", ","});
        const CliRun r = RunCliCommand(args);
        EXPECT_EQ(r.status, 64) << firstLine(refusal.message);
        EXPECT_EQ(r.out, "") << firstLine(refusal.message);
        EXPECT_EQ(firstLine(r.err), refusal.message);
    }
}

TEST(ArgumentCheck, ValuesTheFieldHoldsAsGivenAreTaken) {
    for (const auto& args : {
             loan({"--fee", "100"}, "schedule", "12000,5", "100000", "12"),
             loan({"--fee", "250000", "--fee-basis", "fixed"}, "schedule", "+12000", "0.5", "1000"),
             loan({"--equal", "--payment", "1100", "--own"}, "schedule"),
             loan({"--pay", "10.02.2005:1500.25:pi", "--forecast", "fixed:999.99"}, "register"),
             loan({}, "schedule", "100000000000", "30", "1000"),
             loan({"--date", "31.01.2024"}, "plan", "100000000000", "30", "1000"),
             loan({"--date", "31.01.2024", "--equal", "--payment", "100000000000"}, "plan"),
         }) {
        const CliRun r = RunCliCommand(args);
        EXPECT_EQ(r.status, 0) << r.err;
    }
}

// A register with a bad amount anywhere runs no step and writes no file.
TEST(ArgumentCheck, ARefusedPaymentStopsTheRegisterBeforeItsFirstStep) {
    testing_support::TempFolder folder;
    const CliRun r = RunCliCommand(loan(
        {"--pay", "10.02.2005:1500:pi", "--pay", "10.03.2005:15e2:pi", "--save", folder / "a.crp"},
        "register"));
    EXPECT_EQ(r.status, 64);
    EXPECT_FALSE(std::filesystem::exists(folder / "a.crp"));
}

TEST(ArgumentCheck, MessagesQuoteLongAndControlTextBounded) {
    const std::string huge = "1" + std::string(100'000, '2');
    CliRun r = RunCliCommand(loan({}, "schedule", "12000", "12", huge));
    EXPECT_EQ(r.status, 64);
    EXPECT_LT(firstLine(r.err).size(), 200u);
    EXPECT_NE(r.err.find("--term '1222222222"), std::string::npos);
    EXPECT_NE(r.err.find("is not what its field takes: a whole number from 0 to 100000"),
              std::string::npos);
    EXPECT_NE(r.err.find("…'"), std::string::npos);

    r = RunCliCommand(loan({}, "schedule",
                           std::string("15\0"
                                       "00",
                                       5)));
    EXPECT_EQ(firstLine(r.err), "ssudomer-cli: --sum takes a number, not '15\\x0000'");
    r = RunCliCommand({"schedule", "--bad\n\x1b[2J"});
    EXPECT_EQ(firstLine(r.err), "ssudomer-cli: unknown option '--bad\\x0A\\x1B[2J'");
}

// A second value of an option that holds one used to replace the first silently: the PDF
// went to the second name, the first sum was forgotten.
TEST(ArgumentCheck, AnOptionThatHoldsOneValueGivenTwiceIsRefused) {
    testing_support::TempFolder folder;
    const std::vector<Refusal> refusals = {
        {loan({"--sum", "13000"}, "schedule"), "ssudomer-cli: option '--sum' is given twice"},
        {loan({"--date", "01.01.2005", "--date", "01.02.2005"}, "schedule"),
         "ssudomer-cli: option '--date' is given twice"},
        {loan({"--pdf", folder / "a.pdf", "--pdf", folder / "b.pdf"}, "schedule"),
         "ssudomer-cli: option '--pdf' is given twice"},
        {loan({"--chart", folder / "a.png", "--chart", folder / "b.png"}, "plan"),
         "ssudomer-cli: option '--chart' is given twice"},
        {loan({"--decimal-separator", ","}, "plan"),
         "ssudomer-cli: option '--decimal-separator' is given twice"},
    };
    for (const Refusal& refusal : refusals) {
        const CliRun r = RunCliCommand(refusal.args);
        EXPECT_EQ(r.status, 64) << refusal.message;
        EXPECT_EQ(firstLine(r.err), refusal.message);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "a.pdf"));
    EXPECT_FALSE(std::filesystem::exists(folder / "b.pdf"));

    // Options that add an entry each time, and a switch given twice, stay accepted.
    EXPECT_EQ(RunCliCommand(loan({"--date", "01.01.2024", "--prepay", "31.03.2024:1000:payment", "--prepay",
                                  "30.04.2024:1000:payment", "--rate-change", "31.05.2024:10",
                                  "--rate-change", "30.06.2024:9", "--csv", "--csv"},
                                 "plan"))
                  .status,
              0);
    EXPECT_EQ(RunCliCommand(loan({"--pay", "10.02.2005:1500:pi", "--pay", "10.03.2005:1500:pi"},
                                 "register"))
                  .status,
              0);
}

}  // namespace
