#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_run.h"

namespace {

using testing_support::CliRun;
using testing_support::RunCliCommand;

// 1 000 000 at 12 % for 24 months from 31.01.2024, the payments on their nominal dates
// (moving them by the calendar is tested with the calendar).
const std::vector<std::string> kLoan = {"plan", "--sum",  "1000000",    "--rate",  "12",
                                        "--term", "24", "--date", "31.01.2024", "--shift",
                                        "none"};

using testing_support::lines;
using testing_support::with;

TEST(PlanCommand, PrintsThePlanTheTotalsAndTheComparisonInEitherForm) {
    const CliRun csv =
        RunCliCommand(with(kLoan, {"--equal", "--prepay", "31.03.2024:500000:payment", "--csv",
                                   "--decimal-separator", ","}));
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.err, "");
    const std::vector<std::string> out = lines(csv.out);
    ASSERT_EQ(out.size(), 1u + 25 + 1 + 1 + 28);
    EXPECT_EQ(out[0],
              "№;Дата;Остаток кредита;Основной платеж;Проценты;Всего за платеж;Вид платежа;"
              "Остаток после платежа");
    EXPECT_EQ(out[1], "1;29.02.2024;1000000,00;37565,27;9508,20;47073,47;плановый;962434,73");
    EXPECT_EQ(out[3], "3;31.03.2024;925143,38;500000,00;0,00;500000,00;досрочный;425143,38");
    EXPECT_EQ(out[4], "4;30.04.2024;425143,38;17442,63;4181,74;21624,37;плановый;407700,75");
    // Row 11's interest is exactly 2 949,555049..., so 2 949,56: rounded once, not twice.
    EXPECT_EQ(out[26], "Всего:;;;1000000,00;69867,09;1069867,09;;");
    EXPECT_EQ(out[27], "");
    const std::vector<std::string> values(out.begin() + 28, out.end());
    EXPECT_EQ(std::vector<std::string>(values.begin(), values.begin() + 7),
              (std::vector<std::string>{
                  "Ежемесячный платеж;47073,47",
                  "Плановых платежей;24",
                  "Срок короче, мес.;0",
                  "Последний платеж;31.01.2026",
                  "Выплачено процентов;69867,09",
                  "Полная сумма выплат;1069867,09",
                  "Экономия на процентах;59439,25",
              }));
    EXPECT_EQ(values.back(), "Уменьшение платежа: экономия;59439,25");

    // The aligned form under the other separator, numbers typed with either, and the payments
    // moved by the calendar: Sunday 31.03.2024 is paid on Monday 01.04.2024, after the
    // prepayment of 31.03, with one day's interest (472 216,85 x 12 % / 366 = 154,83).
    const CliRun aligned = RunCliCommand(
        {"plan", "--sum", "1000000,00", "--rate", "12.0", "--term", "24", "--date", "31.01.2024",
         "--equal", "--prepay", "31.03.2024:500000,00:payment", "--decimal-separator", "."});
    EXPECT_EQ(aligned.status, 0);
    const std::vector<std::string> text = lines(aligned.out);
    ASSERT_EQ(text.size(), out.size());
    EXPECT_EQ(text[0],
              "№       Дата        Остаток кредита  Основной платеж  Проценты  Всего за платеж  "
              "Вид платежа  Остаток после платежа");
    EXPECT_EQ(text[2],
              "2       31.03.2024  962434.73        490217.88        9782.12   500000.00        "
              "досрочный    472216.85");
    EXPECT_EQ(text[3],
              "3       01.04.2024  472216.85        22929.89         154.83    23084.72         "
              "плановый     449286.96");
    EXPECT_EQ(text[26],
              "Всего:                               1000000.00       72406.62  1072406.62");
    EXPECT_EQ(text[27], "");
    EXPECT_EQ(text[28], "Ежемесячный платеж: 47073.47");
    EXPECT_EQ(text[31], "Последний платеж: 02.02.2026");
    EXPECT_EQ(text.back(), "Уменьшение платежа: экономия: 57477.40");
}

TEST(PlanCommand, DifferentiatedUnlessEqualAndTheContractsPaymentWithIt) {
    CliRun r = RunCliCommand(with(kLoan, {"--csv", "--decimal-separator", ","}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines(r.out)[1], "1;29.02.2024;1000000,00;41666,67;9508,20;51174,87;плановый;958333,33");

    r = RunCliCommand(
        with(kLoan, {"--equal", "--payment", "47073.48", "--csv", "--decimal-separator", ","}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(lines(r.out)[1], "1;29.02.2024;1000000,00;37565,28;9508,20;47073,48;плановый;962434,72");

    // Monthly prepayments and rate changes together.
    r = RunCliCommand(with(kLoan, {"--equal", "--prepay", "15.03.2024:10000:term:monthly",
                                   "--rate-change", "01.06.2024:10", "--rate-change",
                                   "01.09.2024:8", "--csv", "--decimal-separator", ","}));
    // Its repeats end with the loan, which is noted.
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "Примечание: Ежемесячное досрочное погашение с 15.03.2024 не учтено с 15.11.2025: "
              "кредит к этой дате уже погашен.\n");
    EXPECT_NE(r.out.find("\n2;15.03.2024;962434,73;5266,71;4733,29;10000,00;досрочный;957168,02\n"),
              std::string::npos);
}

TEST(PlanCommand, BadArgumentsAreRefusedBeforeAnythingRuns) {
    struct Case {
        std::vector<std::string> more;
        const char* message;
    };
    const Case cases[] = {
        {{"--prepay", "31.03.2024:1000"}, "--prepay takes DD.MM.YYYY:AMOUNT:term|payment"},
        {{"--prepay", "31.03.2024:1000:shorter"}, "--prepay takes DD.MM.YYYY:AMOUNT:term"},
        {{"--prepay", "31.03.2024:1000:term:weekly"}, "--prepay takes DD.MM.YYYY:AMOUNT:term"},
        {{"--prepay", "31.3.2024:1000:term"}, "--prepay takes a date DD.MM.YYYY, not '31.3.2024'"},
        {{"--prepay", "31.03.2024:abc:term"}, "--prepay takes a number, not 'abc'"},
        {{"--prepay", "31.03.2024:1e300:term"}, "--prepay '31.03.2024:1e300:term' is not what its field"},
        {{"--prepay", "31.01.2024:1000:term"},
         "--prepay date 31.01.2024 is not after the loan date 31.01.2024"},
        {{"--rate-change", "01.03.2024"}, "--rate-change takes DD.MM.YYYY:RATE"},
        {{"--rate-change", "01.03.2024:ten"}, "--rate-change takes a number, not 'ten'"},
        {{"--rate-change", "01.03.2024:-1"}, "is not what its field takes: a number from 0"},
        {{"--rate-change", "01.01.2020:5"},
         "--rate-change date 01.01.2020 is not after the loan date 31.01.2024"},
        {{"--payment", "47000"}, "--payment goes with --equal"},
        {{"--sum", "9e18"}, "option '--sum' is given twice"},
        {{"--equal", "--chart"}, "option '--chart' needs a value"},
    };
    for (const Case& c : cases) {
        const CliRun r = RunCliCommand(with(kLoan, c.more));
        EXPECT_EQ(r.status, 64) << c.more[1];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    std::vector<std::string> hugeSum = kLoan;
    hugeSum[2] = "9e18";
    CliRun r = RunCliCommand(hugeSum);
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("--sum '9e18' is not what its field takes"), std::string::npos) << r.err;
    r = RunCliCommand({"plan", "--sum", "1000", "--rate", "12", "--term", "12"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.err.rfind("ssudomer-cli: --date is required\n", 0), 0u);
}

// A prepayment amount that is a number but not one the planner takes is refused by the
// planner itself, in its own words, as in its window; the plan is printed without it.
TEST(PlanCommand, PrepaymentAmountsOutOfRangeAreRefusedByThePlanner) {
    struct Case {
        const char* amount;
        const char* message;
    };
    const Case cases[] = {
        {"0", "Ошибка!!!: Сумма досрочного погашения должна быть больше нуля.\n"},
        {"-5", "Ошибка!!!: Сумма досрочного погашения должна быть больше нуля.\n"},
        {"10.005",
         "Ошибка!!!: Суммы задаются в рублях и копейках: не больше двух знаков после запятой.\n"},
        {"200000000000",
         "Ошибка!!!: Слишком большая сумма досрочного погашения: она должна быть не больше "
         "100 000 000 000.00.\n"},
    };
    const CliRun plain = RunCliCommand(kLoan);
    ASSERT_EQ(plain.status, 0);
    for (const Case& c : cases) {
        const CliRun r =
            RunCliCommand(with(kLoan, {"--prepay", std::string("31.03.2024:") + c.amount + ":term"}));
        EXPECT_EQ(r.status, 2) << c.amount;
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, plain.out) << c.amount;
    }
}

TEST(PlanCommand, ARefusedPrepaymentIsToldAndTheRestIsPrinted) {
    const CliRun refused =
        RunCliCommand(with(kLoan, {"--equal", "--prepay", "15.03.2024:4000:term", "--prepay",
                                   "31.03.2024:500000:term", "--csv", "--decimal-separator", ","}));
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "Ошибка!!!: Досрочное погашение 15.03.2024 на сумму 4000,00 не учтено: оно не "
              "больше процентов на эту дату (4733,29).\n");
    const CliRun alone = RunCliCommand(with(kLoan, {"--equal", "--prepay", "31.03.2024:500000:term",
                                                    "--csv", "--decimal-separator", ","}));
    EXPECT_EQ(refused.out, alone.out);

    // Left out because the loan is repaid: a note, and the plan stands.
    const CliRun noted =
        RunCliCommand(with(kLoan, {"--equal", "--prepay", "10.06.2024:2000000:term", "--prepay",
                                   "10.07.2024:1000:payment", "--decimal-separator", ","}));
    EXPECT_EQ(noted.status, 0);
    EXPECT_EQ(noted.err,
              "Примечание: Досрочное погашение 10.07.2024 не учтено: кредит к этой дате уже "
              "погашен.\n");
    EXPECT_NE(noted.out.find("Последний платеж: 10.06.2024\n"), std::string::npos);

    // A loan the planner cannot take: its message and no output.
    const CliRun missing = RunCliCommand(
        {"plan", "--sum", "1000", "--rate", "12", "--term", "0", "--date", "31.01.2024"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "Ошибка!!!: Что-то забыли ввести...\n");
    EXPECT_EQ(missing.out, "");
}

TEST(PlanCommand, HelpNamesTheCommand) {
    const CliRun help = RunCliCommand({"--help"});
    EXPECT_NE(help.out.find("ssudomer-cli plan --sum S --rate R --term T --date DD.MM.YYYY"),
              std::string::npos);
    EXPECT_NE(help.out.find("[--prepay DD.MM.YYYY:AMOUNT:term|payment[:monthly]]..."),
              std::string::npos);
}

}  // namespace
