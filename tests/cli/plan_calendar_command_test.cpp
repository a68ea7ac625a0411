#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace {

using testing_support::CliRun;
using testing_support::RunCliCommand;
using testing_support::ScopedEnvironment;
using testing_support::TempFolder;
using testing_support::WriteBytes;

using testing_support::lines;
using testing_support::with;

// The CSV row of a date ("" when none is on it).
std::string rowOn(const std::string& out, const std::string& date) {
    for (const std::string& line : lines(out)) {
        if (line.find(";" + date + ";") != std::string::npos)
            return line;
    }
    return "";
}

// Every test has a configuration folder of its own, so no calendar of the user running the
// tests takes part.
class PlanCalendarCommand : public testing::Test {
  protected:
    TempFolder config_;
    ScopedEnvironment environment_{"XDG_CONFIG_HOME", config_.path()};

    void writeUserCalendar(const std::string& text) {
        std::filesystem::create_directories(config_ / "ssudomer");
        WriteBytes(config_ / "ssudomer/calendar.txt", text);
    }
};

// 1 500 000 at 12 % for 60 months from 01.02.2019, equal payments.
const std::vector<std::string> kLoan = {"plan", "--sum",  "1500000",    "--rate",
                                        "12",   "--term", "60",         "--date",
                                        "01.02.2019", "--equal", "--csv"};

TEST_F(PlanCalendarCommand, PaymentsDueOnDaysOffMoveByTheRealCalendarAndTheUsersChanges) {
    // 01.01.2020 falls in the New Year holidays: paid on Thursday 09.01.2020, and its interest
    // runs from Monday 02.12.2019 (01.12.2019 was a Sunday): 29 days of 2019 and 9 of 2020,
    // 1 307 690,33 x 12 % x (29/365 + 9/366) = 16 326,60.
    const CliRun real = RunCliCommand(kLoan);
    EXPECT_EQ(real.status, 0);
    EXPECT_EQ(rowOn(real.out, "01.01.2020"), "");
    EXPECT_EQ(rowOn(real.out, "09.01.2020").substr(0, 14), "11;09.01.2020;");
    EXPECT_EQ(rowOn(real.out, "01.12.2019"), "");
    EXPECT_EQ(rowOn(real.out, "02.12.2019").substr(0, 14), "10;02.12.2019;");
    EXPECT_EQ(rowOn(real.out, "09.01.2020"), "11;09.01.2020;1307690.33;17040.07;16326.60;33366.67;плановый;1290650.26");

    // Without moving, the row stays on its own date.
    const CliRun fixed = RunCliCommand(with(kLoan, {"--shift", "none"}));
    EXPECT_EQ(fixed.status, 0);
    EXPECT_EQ(rowOn(fixed.out, "01.01.2020").substr(0, 14), "11;01.01.2020;");

    // The user's own file makes 09.01.2020 a day off; --calendar adds 10.01.2020: the
    // payment goes past the weekend to Monday 13.01.2020.
    writeUserCalendar("09.01.2020 нерабочий\n");
    const CliRun users = RunCliCommand(kLoan);
    EXPECT_EQ(rowOn(users.out, "10.01.2020").substr(0, 14), "11;10.01.2020;");
    TempFolder files;
    WriteBytes(files / "more.txt", "# one more day off\n10.01.2020 нерабочий\n");
    const CliRun both = RunCliCommand(with(kLoan, {"--calendar", files / "more.txt"}));
    EXPECT_EQ(both.status, 0);
    EXPECT_EQ(both.err, "");
    EXPECT_EQ(rowOn(both.out, "13.01.2020").substr(0, 14), "11;13.01.2020;");

    // "modified" keeps a payment in its month: 31.03.2024 (Sunday) goes back to Friday 29.03.
    const std::vector<std::string> endOfMonth = {"plan", "--sum", "120000", "--rate", "12",
                                                 "--term", "3", "--date", "31.12.2023", "--csv"};
    EXPECT_NE(rowOn(RunCliCommand(endOfMonth).out, "01.04.2024"), "");
    EXPECT_NE(rowOn(RunCliCommand(with(endOfMonth, {"--shift", "modified"})).out, "29.03.2024"),
              "");
}

TEST_F(PlanCalendarCommand, ABadCalendarFileIsRefusedWithItsLineAndNothingIsComputed) {
    TempFolder files;
    WriteBytes(files / "bad.txt", "10.01.2020 нерабочий\n31.02.2020 рабочий\n");
    const CliRun bad = RunCliCommand(with(kLoan, {"--calendar", files / "bad.txt"}));
    EXPECT_NE(bad.status, 0);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("Строка 2"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("31.02.2020"), std::string::npos) << bad.err;

    const CliRun missing = RunCliCommand(with(kLoan, {"--calendar", files / "none.txt"}));
    EXPECT_NE(missing.status, 0);
    EXPECT_EQ(missing.out, "");

    // A bad file of the user's own is told, and the plan goes on with the built-in calendar.
    writeUserCalendar("09.01.2020 выходной\n");
    const CliRun users = RunCliCommand(kLoan);
    EXPECT_NE(users.err.find("Строка 1"), std::string::npos) << users.err;
    EXPECT_EQ(rowOn(users.out, "09.01.2020").substr(0, 14), "11;09.01.2020;");

    for (const char* shift : {"later", ""}) {
        const CliRun refused = RunCliCommand(with(kLoan, {"--shift", shift}));
        EXPECT_EQ(refused.out, "");
        EXPECT_NE(refused.err.find("--shift"), std::string::npos) << refused.err;
    }
    for (const char* day : {"32", "-1", "x"}) {
        const CliRun refused = RunCliCommand(with(kLoan, {"--payment-day", day}));
        EXPECT_EQ(refused.out, "") << day;
        EXPECT_NE(refused.err.find("--payment-day"), std::string::npos) << refused.err;
    }
}

TEST_F(PlanCalendarCommand, ARateOfZeroSpreadsTheSumEvenly) {
    const CliRun run = RunCliCommand({"plan", "--sum", "120000", "--rate", "0", "--term", "12",
                                      "--date", "15.01.2024", "--equal", "--csv", "--shift",
                                      "none"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> out = lines(run.out);
    ASSERT_GE(out.size(), 15u);
    EXPECT_EQ(out[1], "1;15.02.2024;120000.00;10000.00;0.00;10000.00;плановый;110000.00");
    EXPECT_EQ(out[12], "12;15.01.2025;10000.00;10000.00;0.00;10000.00;плановый;0.00");
    EXPECT_EQ(out[13], "Всего:;;;120000.00;0.00;120000.00;;");
}

TEST_F(PlanCalendarCommand, APaymentDayPastTheMonthsEndIsItsLastDay) {
    const std::vector<std::string> loan = {"plan",       "--sum",         "300000", "--rate",
                                           "12",         "--term",        "3",      "--date",
                                           "15.01.2024", "--payment-day", "31",     "--csv"};
    const CliRun none = RunCliCommand(with(loan, {"--shift", "none"}));
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(rowOn(none.out, "29.02.2024").substr(0, 2), "1;");
    EXPECT_EQ(rowOn(none.out, "31.03.2024").substr(0, 2), "2;");
    EXPECT_EQ(rowOn(none.out, "30.04.2024").substr(0, 2), "3;");
    // With the calendar Sunday 31.03.2024 is paid on Monday 01.04.2024.
    const CliRun next = RunCliCommand(loan);
    EXPECT_EQ(rowOn(next.out, "01.04.2024").substr(0, 2), "2;");
}

TEST_F(PlanCalendarCommand, TheBalanceAfterEachRowAndEveryVariantsFiguresOnLinesOfTheirOwn) {
    const CliRun run = RunCliCommand({"plan", "--sum", "1000000", "--rate", "12", "--term", "24",
                                      "--date", "31.01.2024", "--equal", "--prepay",
                                      "31.03.2024:500000:term", "--csv", "--shift", "none"});
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> out = lines(run.out);
    ASSERT_GT(out.size(), 4u);
    EXPECT_EQ(out[0],
              "№;Дата;Остаток кредита;Основной платеж;Проценты;Всего за платеж;Вид платежа;"
              "Остаток после платежа");
    EXPECT_EQ(out[1], "1;29.02.2024;1000000.00;37565.27;9508.20;47073.47;плановый;962434.73");
    EXPECT_EQ(out[3], "3;31.03.2024;925143.38;500000.00;0.00;500000.00;досрочный;425143.38");
    const auto values = [&] {
        std::vector<std::string> result;
        bool after = false;
        for (const std::string& line : out) {
            if (after)
                result.push_back(line);
            after = after || line.empty();
        }
        return result;
    }();
    EXPECT_EQ(values, (std::vector<std::string>{
                          "Ежемесячный платеж;47073.47",
                          "Плановых платежей;12",
                          "Срок короче, мес.;12",
                          "Последний платеж;31.01.2025",
                          "Выплачено процентов;42027.33",
                          "Полная сумма выплат;1042027.33",
                          "Экономия на процентах;87279.01",
                          "Без досрочных погашений: последний платеж;31.01.2026",
                          "Без досрочных погашений: плановых платежей;24",
                          "Без досрочных погашений: срок короче, мес.;0",
                          "Без досрочных погашений: первый платеж;47073.47",
                          "Без досрочных погашений: сумма последнего платежа;46616.53",
                          "Без досрочных погашений: проценты;129306.34",
                          "Без досрочных погашений: экономия;0.00",
                          "Сокращение срока: последний платеж;31.01.2025",
                          "Сокращение срока: плановых платежей;12",
                          "Сокращение срока: срок короче, мес.;12",
                          "Сокращение срока: первый платеж;47073.47",
                          "Сокращение срока: сумма последнего платежа;24219.16",
                          "Сокращение срока: проценты;42027.33",
                          "Сокращение срока: экономия;87279.01",
                          "Уменьшение платежа: последний платеж;31.01.2026",
                          "Уменьшение платежа: плановых платежей;24",
                          "Уменьшение платежа: срок короче, мес.;0",
                          "Уменьшение платежа: первый платеж;47073.47",
                          "Уменьшение платежа: сумма последнего платежа;21608.38",
                          "Уменьшение платежа: проценты;69867.09",
                          "Уменьшение платежа: экономия;59439.25",
                      }));
}

TEST_F(PlanCalendarCommand, AYearWithoutAnApprovedCalendarIsNotedOnce) {
    const CliRun run = RunCliCommand({"plan", "--sum", "1000000", "--rate", "12", "--term",
                                      "24", "--date", "15.06.2026", "--csv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "Примечание: календарь на 2027 год не утвержден: выходные по Трудовому кодексу\n"
              "Примечание: календарь на 2028 год не утвержден: выходные по Трудовому кодексу\n");
    // The Labour Code's holidays still move payments: 15.02.2027 is a Monday, 15.05.2027 a
    // Saturday, paid on Monday 17.05.2027.
    EXPECT_NE(rowOn(run.out, "17.05.2027"), "");
    // Not moving the payments, the calendar is not asked.
    EXPECT_EQ(RunCliCommand({"plan", "--sum", "1000000", "--rate", "12", "--term", "24",
                             "--date", "15.06.2026", "--csv", "--shift", "none"})
                  .err,
              "");
}

}  // namespace
