#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/cli_run.h"

namespace {

using testing_support::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return testing_support::RunCliCommand(args);
}

std::vector<std::string> withLoan(std::vector<std::string> steps) {
    std::vector<std::string> args = {"register",
                                     "--sum",
                                     "12000",
                                     "--rate",
                                     "12",
                                     "--term",
                                     "12",
                                     "--date",
                                     "10.01.2005",
                                     "--csv",
                                     "--decimal-separator",
                                     ","};
    args.insert(args.end(), steps.begin(), steps.end());
    return args;
}

TEST(RegisterCommand, EntersThePaymentsInOrderAndPrintsTheRegister) {
    const CliRun r = run(withLoan({"--pay", "10.02.2005:1500:pi", "--pay", "10.03.2005::auto",
                                   "--pay", "20.03.2005:0:auto", "--pay", "10.05.2005:0:auto"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Ошибка!!!: Может возникнуть просрочка!!!\n");
    EXPECT_EQ(r.out,
              "№;Дата;Остаток кредита;Основной платеж;Проценты;Всего за платеж;Тип платежа\n"
              "1;10.02.2005;12000,00;1500,00;122,30;1622,30;П+%\n"
              "2;10.03.2005;10500,00;500,00;96,66;596,66;АП\n"
              "3;20.03.2005;10000,00;0,00;32,88;32,88;АП\n"
              "4;10.05.2005;10000,00;1000,00;167,67;1167,67;АП\n"
              "\n"
              "Полная сумма выплат;3419,51\n"
              "Выплачено процентов;419,51\n"
              "Остаток;9000,00\n"
              "Основной платеж;1000,00\n"
              "Проценты на дату платежа;167,67\n"
              "Опережение платежей;0,00\n");
}

TEST(RegisterCommand, RefusedStepsAreReportedAndTheRestStillRun) {
    const CliRun r =
        run(withLoan({"--delete", "--pay", "10.02.2005:1000:pi", "--pay", "10.02.2005:1000:pi",
                      "--pay", "10.03.2005:1000:pi", "--delete"}));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--delete: \"Удалить платеж\" is disabled"), std::string::npos);
    EXPECT_NE(r.err.find("Ошибка!!!: В один день вносить два платежа нельзя...\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("1;10.02.2005;12000,00;1000,00;"), std::string::npos);
    EXPECT_EQ(r.out.find("10.03.2005"), std::string::npos);  // entered, then deleted
    EXPECT_NE(r.out.find("Остаток;11000,00\n"), std::string::npos);
}

TEST(RegisterCommand, PaidOffLoanRefusesFurtherPayments) {
    const CliRun r =
        run({"register", "--sum", "1000", "--rate", "12", "--term", "1", "--date", "10.01.2005",
             "--pay", "10.02.2005:0:auto", "--pay", "10.03.2005:0:auto"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Поздравляем!!!: Кредит выплачен!!!!\n"), std::string::npos);
    EXPECT_NE(r.err.find("--pay 10.03.2005:0:auto: \"Внести платеж\" is disabled"),
              std::string::npos);
}

TEST(RegisterCommand, ForecastWithTheMethodChosenInItsDialog) {
    const CliRun r = run({"register", "--sum", "12000", "--rate", "12", "--term", "3", "--date",
                          "10.01.2005", "--forecast", "fixed:5000.00", "--overdue", "--pay",
                          "10.02.2005:2000:pi", "--csv", "--decimal-separator", ","});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("Учет просрочки.: Двойная процентная ставка", 0), 0u);
    EXPECT_NE(r.out.find("2;Март 2005;10000,00;4900,00;100,00;5000,00;\n"
                         "3;Апрель 2005;5100,00;4949,00;51,00;5000,00;\n"
                         "4;Май 2005;151,00;151,00;1,51;152,51;\n"
                         "Всего:;;;12000,00;274,81;12274,81;\n\n"),
              std::string::npos);
}

TEST(RegisterCommand, SavesAsTheSaveMenuWould) {
    const auto folder = std::filesystem::temp_directory_path() / "ssudomer_register_test";
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "loan.crp").string();
    const CliRun r = run(withLoan({"--pay", "10.02.2005:1500:pi", "--save", file}));
    EXPECT_EQ(r.status, 0) << r.err;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const std::string start = "12000\r\n12\r\n12\r\n10.01.2005\r\n1;10.02.2005;12000,00;1500,00;";
    EXPECT_EQ(bytes.substr(0, start.size()), start);

    const CliRun failed = run(withLoan({"--save", (folder / "missing" / "x.crp").string()}));
    EXPECT_EQ(failed.status, 2);
    std::filesystem::remove_all(folder);
}

TEST(RegisterCommand, BadArgumentsAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"--pay", "10.02.2005:100"},      {"--pay", "10.02.2005:100:pi:x"},
        {"--pay", "10.02.2005:100:cash"}, {"--pay", "31.02.2005:100:pi"},
        {"--pay", "10.02.2005:1O0:pi"},   {"--forecast", "fixed:"},
        {"--forecast", "yearly"},         {"--save", ""},
    };
    for (const auto& steps : bad) {
        const CliRun r = run(withLoan(steps));
        EXPECT_EQ(r.status, 64) << steps[1];
        EXPECT_EQ(r.out, "") << steps[1];
    }
    EXPECT_EQ(run({"register", "--sum", "1", "--rate", "1", "--term", "1"}).status, 64);
}

}  // namespace
