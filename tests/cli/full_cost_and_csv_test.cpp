#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using testing_support::CliRun;
using testing_support::RunCliCommand;

const std::vector<std::string> kLoanWithFee = {"schedule", "--sum", "12000", "--rate", "12",
                                               "--term",   "12",    "--fee", "0.5"};

std::vector<std::string> with(std::vector<std::string> args,
                              std::initializer_list<const char*> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string lastLines(const std::string& text, int count) {
    std::size_t at = text.size() - 1;
    for (int i = 0; i < count; ++i) at = text.rfind('\n', at - 1);
    return text.substr(at + 1);
}

TEST(FullCostOption, AddsTwoLinesAfterTheSummaryInEitherForm) {
    const CliRun plain = RunCliCommand(with(kLoanWithFee, {"--decimal-separator", ","}));
    CliRun r = RunCliCommand(with(kLoanWithFee, {"--psk", "--decimal-separator", ","}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, plain.out + "ПСК, % годовых: 22,709\nПСК, сумма: 1500,00\n");

    r = RunCliCommand(with(kLoanWithFee, {"--psk", "--csv", "--decimal-separator", "."}));
    EXPECT_EQ(lastLines(r.out, 3),
              "Опережение платежей;0.00\nПСК, % годовых;22.709\nПСК, сумма;1500.00\n");

    r = RunCliCommand({"schedule", "--sum", "12000", "--rate", "12", "--term", "12", "--equal",
                       "--psk", "--decimal-separator", ","});
    EXPECT_EQ(lastLines(r.out, 2), "ПСК, % годовых: 12,000\nПСК, сумма: 793,67\n");
}

TEST(FullCostOption, ARefusedCostKeepsTheScheduleAndSaysWhy) {
    const CliRun r = RunCliCommand({"schedule", "--sum", "1000", "--rate", "0.0001", "--term", "3",
                                    "--psk", "--decimal-separator", ","});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "Полная стоимость кредита: Платежи по графику (всего 999,99) меньше суммы кредита "
              "(1000,00):\nполная стоимость кредита не определена.\n");
    EXPECT_EQ(lastLines(r.out, 1), "Опережение платежей: 0,00\n");
}

// The window's export is what --csv prints, with CR LF and a byte-order mark in front.
TEST(WindowExport, WritesWhatTheCommandLinePrints) {
    struct ExportPort : testing_support::FakePort {
        std::optional<std::string> chooseCsvFileToSave() override { return file; }
        std::string file;
    } port;
    testing_support::TempFolder folder;
    port.file = folder / "export.csv";
    app::MainForm form(port, loan::Locale::withSeparator(','));
    form.FormShow();
    form.SpinEdit1.Text = "12000";
    form.SpinEdit2.Text = "12";
    form.SpinEdit3.Text = "12";
    form.SpinEdit6.Text = "0,5";
    form.DateTimePicker1.Date = loan::Date{2005, 1, 10};
    form.Button1Click();
    form.ExportCsvClick();

    const CliRun printed = RunCliCommand(
        with(kLoanWithFee, {"--date", "10.01.2005", "--csv", "--decimal-separator", ","}));
    std::string expected = "\xEF\xBB\xBF";
    for (char c : printed.out) {
        if (c == '\n')
            expected += '\r';
        expected += c;
    }
    EXPECT_EQ(testing_support::ReadBytes(port.file), expected);
}

}  // namespace
