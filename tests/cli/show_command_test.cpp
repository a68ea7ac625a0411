#include <gtest/gtest.h>

#include <sstream>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

using testing_support::CliRun;

CliRun run(const std::vector<std::string>& args) {
    return testing_support::RunCliCommand(args);
}

// Everything above the summary's line "Проценты на дату платежа", which depends on today.
std::string withoutInterestToday(const std::string& report) {
    const auto at = report.find("Проценты на дату платежа");
    const auto end = report.find('\n', at);
    return at == std::string::npos ? report : report.substr(0, at) + report.substr(end + 1);
}

const std::string kFile =
    "150000\r\n12.5\r\n24\r\n15.01.2005\r\n"
    "1;15.02.2005;150000,00;6250,00;1592,47;7842,47;\xCF+%(\xE2\xFB\xF7\xE5\xF2);\r\n"
    "2;15.03.2005;143750,00;6250,00;1438,36;7688,36;\xC0\xCF;\r\n";

TEST(ShowCommand, PrintsThePaymentsAndTheSummary) {
    TempFolder folder;
    WriteBytes(folder / "loan.crp", kFile);
    const CliRun r = run({"show", folder / "loan.crp", "--csv", "--decimal-separator", "."});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(withoutInterestToday(r.out),
              "№;Дата;Остаток кредита;Основной платеж;Проценты;Всего за платеж;Тип платежа\n"
              "1;15.02.2005;150000.00;6250.00;1592.47;7842.47;П+%(вычет)\n"
              "2;15.03.2005;143750.00;6250.00;1438.36;7688.36;АП\n"
              "\n"
              "Полная сумма выплат;15530.83\n"
              "Выплачено процентов;3030.83\n"
              "Остаток;137500.00\n"
              "Основной платеж;6250.00\n"
              "Опережение платежей;0.00\n");
}

TEST(ShowCommand, AFileWhoseBalanceCouldNeverBeRepaidGetsNoEndlessForecast) {
    TempFolder folder;
    // A regular principal of 1,00 a month against a balance of a thousand million, left by a
    // payment whose principal went below zero.
    WriteBytes(folder / "edited.crp",
               "1000\r\n12\r\n1000\r\n15.01.2005\r\n"
               "1;15.02.2005;1000,00;-999999000,00;10,00;-999998990,00;\xC0\xCF;\r\n");
    const CliRun r = run({"show", folder / "edited.crp", "--forecast", "standard", "--csv",
                          "--decimal-separator", ","});
    EXPECT_NE(r.err.find("Прогноз невозможен"), std::string::npos);
    EXPECT_NE(r.out.find("1;15.02.2005;1000,00;-999999000,00;10,00;-999998990,00;АП\n\n"),
              std::string::npos);
}

TEST(ShowCommand, ReadsBackWhatRegisterSaved) {
    TempFolder folder;
    const std::string path = folder / "saved.crp";
    const CliRun saved = run({"register",
                              "--sum",
                              "120000",
                              "--rate",
                              "12,5",
                              "--term",
                              "12",
                              "--date",
                              "15.01.2005",
                              "--pay",
                              "15.02.2005:11273,97:deducted",
                              "--pay",
                              "10.03.2005:15000:pi",
                              "--pay",
                              "15.04.2005:0:auto",
                              "--save",
                              path,
                              "--csv",
                              "--decimal-separator",
                              ","});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const CliRun shown = run({"show", path, "--csv", "--decimal-separator", ","});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(withoutInterestToday(shown.out), withoutInterestToday(saved.out));
    EXPECT_NE(shown.out.find("3;15.04.2005;95000,00;5000,00;1171,23;6171,23;АП\n"),
              std::string::npos);

    const std::string bytes = testing_support::ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 32), "120000\r\n12,5\r\n12\r\n15.01.2005\r\n1;");
    EXPECT_NE(bytes.find(";\xCF+%(\xE2\xFB\xF7\xE5\xF2);\r\n2;"), std::string::npos);
    EXPECT_NE(bytes.find(";\xC0\xCF;\r\n"), std::string::npos);
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_EQ(bytes[i - 1], '\r') << "at byte " << i;
            ++lineEnds;
        }
    }
    EXPECT_EQ(lineEnds, 7u);
    EXPECT_EQ(bytes.back(), '\n');
}

TEST(ShowCommand, FailuresAndBadArguments) {
    TempFolder folder;
    CliRun r = run({"show", folder / "none.crp"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Ссудомер: Файл \"" + folder / "none.crp" + "\" не найден.\n");

    WriteBytes(folder / "bad.crp", "1000\r\n12\r\n10\r\n10.03.2004\r\n1;10.04.2004;x;\r\n");
    r = run({"show", folder / "bad.crp"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Ссудомер: Файл \"" + folder / "bad.crp" +
                         "\" не загружен; ничего не изменено.\nСтрока 5, поле \"Остаток "
                         "кредита\": \"x\" не является числом.\n");

    // A foreign file: refused by its first line, no binary text on the terminal.
    WriteBytes(folder / "picture.crp", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    r = run({"show", folder / "picture.crp"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Ссудомер: Файл \"" + folder / "picture.crp" +
                         "\" не загружен; ничего не изменено.\nСтрока 1 (сумма кредита): "
                         "\"‰PNG\" — нужно число.\n");

    WriteBytes(folder / "empty.crp", "");
    r = run({"show", folder / "empty.crp"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "ssudomer-cli: в файле \"" + folder / "empty.crp" +
                         "\" нет кредита: строка суммы, ставки или срока пуста.\n");

    EXPECT_EQ(run({"show"}).status, 64);
    EXPECT_EQ(run({"show", "a.crp", "b.crp"}).status, 64);
    EXPECT_EQ(run({"show", "a.crp", "--forecast", "monthly"}).status, 64);
    EXPECT_EQ(run({"show", "a.crp", "--forecast", "fixed:abc"}).status, 64);
}

}  // namespace
