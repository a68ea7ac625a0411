#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <sstream>

#include "support/cli_run.h"

namespace {

using testing_support::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return testing_support::RunCliCommand(args);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(ScheduleCommand, PrintsTheTableAndTheSummaryAsCsv) {
    const CliRun r = run({"schedule", "--sum", "1000", "--rate", "12", "--term", "3", "--date",
                          "10.03.2004", "--csv", "--decimal-separator", ","});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "Месяц;Дата;Остаток кредита;Основной платеж;Проценты;Обслуживание;Всего за платеж\n"
              "1;Апрель 2004;1000,00;333,33;10,00;0,00;343,33\n"
              "2;Май 2004;666,67;333,33;6,67;0,00;340,00\n"
              "3;Июнь 2004;333,34;333,33;3,33;0,00;336,66\n"
              "Всего:;;;999,99;20,00;0,00;1019,99\n"
              "\n"
              "Полная сумма выплат;1019,99\n"
              "Выплачено процентов;20,00\n"
              "Остаток;0,01\n"
              "Основной платеж;333,33\n"
              "Проценты на дату платежа;0,00\n"
              "Опережение платежей;0,00\n");
}

// Without --date the loan is taken today, not on the window's designed start date.
TEST(ScheduleCommand, TheLoanDateDefaultsToToday) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char today[16];
    std::strftime(today, sizeof today, "%d.%m.%Y", &local);

    const std::vector<std::string> loan = {"schedule", "--sum",  "1000", "--rate",
                                           "12",       "--term", "3",    "--csv"};
    const auto withDate = [&](const std::string& date) {
        std::vector<std::string> args = loan;
        args.insert(args.end(), {"--date", date});
        return run(args);
    };
    const CliRun implicit = run(loan);
    ASSERT_EQ(implicit.status, 0) << implicit.err;
    EXPECT_EQ(implicit.out, withDate(today).out);
    EXPECT_NE(implicit.out, withDate("10.03.2004").out);
}

TEST(ScheduleCommand, AlignedOutputUnderAPointLocale) {
    const CliRun r = run({"schedule", "--sum", "1000", "--rate", "12", "--term", "3", "--date",
                          "31.01.2005", "--decimal-separator", "."});
    ASSERT_EQ(r.status, 0);
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 12u);
    EXPECT_EQ(out[1].substr(0, 3), "1  ");
    EXPECT_NE(out[1].find("Февраль 2005"), std::string::npos);
    EXPECT_NE(out[3].find("Апрель 2005"), std::string::npos);
    EXPECT_NE(out[4].find("1019.99"), std::string::npos);
    EXPECT_EQ(out[5], "");
    EXPECT_EQ(out[8], "Остаток: 0.01");
    // Columns line up: every amount column starts at the same place in each row.
    const auto column = [](const std::string& line, const char* text) {
        const std::string before = line.substr(0, line.find(text));
        return std::count_if(before.begin(), before.end(),
                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    };
    EXPECT_EQ(column(out[1], "1000.00"), column(out[2], "666.67"));
}

TEST(ScheduleCommand, EqualPaymentsTakeTheSuggestedAnnuity) {
    const CliRun r = run({"schedule", "--sum", "12000", "--rate", "12", "--term", "12", "--equal",
                          "--date", "10.03.2004", "--csv", "--decimal-separator", ","});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("Внимание!!!: Сумма платежа с учетом исходных данных должна быть равна "
                          "1067,00 для кредитов,\nплатежи",
                          0),
              0u);
    EXPECT_NE(r.out.find("12;Март 2005;1046,21;1046,21;10,46;0,00;1056,67\n"), std::string::npos);
    EXPECT_NE(r.out.find("Всего:;;;12000,00;793,67;0,00;12793,67\n"), std::string::npos);
}

TEST(ScheduleCommand, OwnPaymentFeesAndSeparatorsInArguments) {
    CliRun r = run({"schedule", "--sum", "12000", "--rate", "12", "--term", "12", "--equal",
                    "--payment", "2000", "--own", "--csv", "--decimal-separator", ","});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Всего:;;;12000,00;438,54;0,00;12438,54\n"), std::string::npos);

    r = run({"schedule", "--sum", "12000", "--rate", "12", "--term", "12", "--fee", "0.5",
             "--fee-basis", "balance", "--csv", "--decimal-separator", ","});
    EXPECT_NE(r.out.find("Всего:;;;12000,00;780,00;390,00;13170,00\n"), std::string::npos);

    r = run({"schedule", "--sum", "12000", "--rate", "12", "--term", "12", "--fee", "250",
             "--fee-basis", "fixed", "--date", "10.03.2004", "--csv", "--decimal-separator", "."});
    EXPECT_NE(r.out.find("1;Апрель 2004;12000.00;1000.00;120.00;250.00;1370.00\n"),
              std::string::npos);
    // The percentage fee field stops at 100: a fee above is refused, not held at 100.
    r = run({"schedule", "--sum", "12000", "--rate", "12", "--term", "12", "--fee", "250", "--csv",
             "--date", "10.03.2004", "--decimal-separator", "."});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out, "");
}

TEST(ScheduleCommand, RefusalsAndBadArguments) {
    CliRun r = run({"schedule", "--sum", "1000", "--rate", "12", "--term", "1001"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Вот это да!!!: Вы серьезно думаете, что на такой срок вам дадут кредит?!?! %)\n"
              "Срок погашения — не больше 1000 месяцев.\n");

    r = run({"schedule", "--sum", "0", "--rate", "12", "--term", "12"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Ошибка!!!: Что-то забыли ввести...\n");

    r = run({"schedule", "--sum", "12000", "--rate", "12", "--term", "12", "--equal", "--payment",
             "5"});
    EXPECT_EQ(r.status, 2);

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"bogus"},
             {"schedule", "--rate", "12", "--term", "12"},
             {"schedule", "--sum", "abc", "--rate", "12", "--term", "12"},
             {"schedule", "--sum", "1", "--rate", "12", "--term", "1.5"},
             {"schedule", "--sum", "1", "--rate", "12", "--term", "12", "--date", "2004-03-10"},
             {"schedule", "--sum", "1", "--rate", "12", "--term", "12", "--fee-basis", "x"},
             {"schedule", "--sum", "1", "--rate", "12", "--term", "12", "--own"},
             {"schedule", "--sum", "1", "--rate", "12", "--term", "12", "--decimal-separator", ";"},
             {"schedule", "--sum", "1", "--rate", "12", "--term"},
             {"schedule", "--sum", "1", "--rate", "12", "--term", "12", "--unknown"},
         }) {
        r = run(args);
        EXPECT_EQ(r.status, 64) << (args.empty() ? "" : args.back());
        EXPECT_NE(r.err.find("usage:"), std::string::npos);
    }
}

}  // namespace
