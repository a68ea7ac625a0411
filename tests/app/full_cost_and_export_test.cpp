#include <gtest/gtest.h>

#include <cerrno>

#include "app/full_cost_menu.h"
#include "app/register_fixture.h"
#include "app/table_report.h"
#include "storage/safe_file_writer.h"
#include "support/temp_folder.h"

namespace {

using loan::PaymentKind;
using testing_support::FormFixture;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string lastText(const testing_support::FakePort& port) {
    return port.messages.empty() ? ""
                                 : port.messages.back().caption + ": " + port.messages.back().text;
}

TEST(FullCostCommand, IsOfferedOnlyForAComputedScheduleInTheCalculationMode) {
    FormFixture f;
    app::MainForm& form = f.form;
    EXPECT_FALSE(form.FullCostEnabled());  // nothing computed yet

    f.enterLoan("12000", "12", "12");
    form.Button1Click();
    EXPECT_TRUE(form.FullCostEnabled());
    form.Button5Click();  // "Очистить таблицу"
    EXPECT_FALSE(form.FullCostEnabled());

    // Equal payments with the annuity not yet taken: the mismatch leaves the table empty.
    form.RadioButtonBClick();
    form.Button1Click();
    EXPECT_FALSE(form.FullCostEnabled());
    form.Button1Click();
    EXPECT_TRUE(form.FullCostEnabled());

    form.N16Click();
    EXPECT_FALSE(form.FullCostEnabled());
    form.FullCostClick();                   // a disabled item does nothing
    EXPECT_EQ(f.port.messages.size(), 1u);  // only the mismatch message
    form.N13Click();
    EXPECT_FALSE(form.FullCostEnabled());
}

TEST(FullCostCommand, IsNotOfferedForPaymentsAndTheirForecast) {
    testing_support::RegisterFixture f;
    f.form.N12Click();
    ASSERT_TRUE(f.pay({2005, 2, 10}, "2000", PaymentKind::PrincipalPlusInterest));
    // Numbered rows and a totals row, but they are payments, not a schedule.
    ASSERT_GT(app::ComputedScheduleRows(f.form.StringGrid1), 0);
    EXPECT_FALSE(f.form.FullCostEnabled());
}

TEST(FullCostCommand, ShowsTheRateAndTheMoneyInTheFormsFormats) {
    const struct {
        char separator;
        const char* fee;
        bool equalPayments;
        const char* expected;
    } cases[] = {
        {',', "0", false, "ПСК: 12,000 % годовых\rПСК в денежном выражении: 780,00"},
        {',', "0", true, "ПСК: 12,000 % годовых\rПСК в денежном выражении: 793,67"},
        {',', "0,5", false, "ПСК: 22,709 % годовых\rПСК в денежном выражении: 1500,00"},
        {'.', "0.5", false, "ПСК: 22.709 % годовых\rПСК в денежном выражении: 1500.00"},
    };
    for (const auto& c : cases) {
        FormFixture f(c.separator);
        f.enterLoan("12000", "12", "12");
        f.form.SpinEdit6.Text = c.fee;
        if (c.equalPayments) {
            f.form.RadioButtonBClick();
            f.form.SpinEdit5.Text = "1067";
        }
        f.form.Button1Click();
        f.form.FullCostClick();
        EXPECT_EQ(lastText(f.port), std::string("Полная стоимость кредита: ") + c.expected)
            << c.fee << (c.equalPayments ? " equal" : "");
    }
}

TEST(FullCostCommand, RefusesASchedulePayingLessThanTheSum) {
    FormFixture f;
    // At this rate every month's interest rounds to nothing, and a kopeck stays unpaid.
    f.enterLoan("1000", "0,0001", "3");
    f.form.Button1Click();
    ASSERT_TRUE(f.form.FullCostEnabled());
    f.form.FullCostClick();
    EXPECT_EQ(lastText(f.port),
              "Полная стоимость кредита: Платежи по графику (всего 999,99) меньше суммы кредита "
              "(1000,00):\rполная стоимость кредита не определена.");
}

// A port whose CSV save dialog answers with the names the test queues.
struct ExportPort : testing_support::FakePort {
    std::optional<std::string> chooseCsvFileToSave() override {
        ++csvDialogs;
        return csvFile;
    }
    std::optional<std::string> csvFile;
    int csvDialogs = 0;
};

class CsvExport : public ::testing::Test {
  protected:
    CsvExport() : form(port, loan::Locale::withSeparator(',')) { form.FormShow(); }

    ExportPort port;
    app::MainForm form;
    TempFolder folder;
};

TEST_F(CsvExport, ExportsThePaymentsInThePaymentInputMode) {
    form.SpinEdit1.Text = "12000";
    form.SpinEdit2.Text = "12";
    form.SpinEdit3.Text = "12";
    form.DateTimePicker1.Date = {2005, 1, 10};
    form.N16Click();
    form.DateTimePicker2.Date = {2005, 2, 10};
    form.SpinEdit4.Text = "500";
    form.RadioButton1.Checked = true;
    form.RadioButton3.Checked = false;
    form.Button4Click();
    ASSERT_EQ(form.NextRow, 2);
    port.csvFile = folder / "payments.csv";
    form.ExportCsvClick();
    const std::string bytes = ReadBytes(folder / "payments.csv");
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF№;Дата;Остаток кредита;Основной платеж;Проценты;"
                          "Всего за платеж;Тип платежа\r\n1;10.02.2005;12000,00;",
                          0),
              0u);
    EXPECT_NE(bytes.find(";П+%\r\n\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nОпережение платежей;- "), std::string::npos);  // behind plan
}

TEST_F(CsvExport, ACancelledDialogWritesNothingAndAFailedWriteKeepsTheEarlierFile) {
    form.ExportCsvClick();
    EXPECT_EQ(port.csvDialogs, 1);
    EXPECT_TRUE(port.messages.empty());

    const std::string path = folder / "table.csv";
    WriteBytes(path, "earlier\r\n");
    port.csvFile = path;
    {
        storage::ScopedWriteFault full([](storage::WriteStage stage) {
            return stage == storage::WriteStage::Write ? ENOSPC : 0;
        });
        EXPECT_FALSE(form.RunHandler([&] { form.ExportCsvClick(); }));
    }
    EXPECT_EQ(lastText(port),
              "Ссудомер: Нет места на диске.\rФайл \"table.csv\" не записан; прежнее содержимое "
              "файла не изменено.");
    EXPECT_EQ(ReadBytes(path), "earlier\r\n");

    port.csvFile = folder / "no such folder/table.csv";
    EXPECT_FALSE(form.RunHandler([&] { form.ExportCsvClick(); }));
    EXPECT_EQ(port.messages.size(), 2u);
}

TEST(CsvText, QuotesFieldsAsRfc4180Asks) {
    loan::ScheduleTable table;
    table.setRowCount(2);
    const char* const header[] = {"plain",    "a;b", "say \"hi\"", "two\r\nlines",
                                  "lf\nonly", "",    "1,5"};
    for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column)
        table.setCell(column, 0, header[column]);
    const app::TableReport report{&table, {{"caption", "- 5,00"}}, {}};
    EXPECT_EQ(app::CsvText(report, "\r\n"),
              "plain;\"a;b\";\"say \"\"hi\"\"\";\"two\r\nlines\";\"lf\nonly\";;1,5\r\n"
              "\r\n"
              "caption;- 5,00\r\n");
    EXPECT_EQ(app::CsvFileBytes(report), "\xEF\xBB\xBF" + app::CsvText(report, "\r\n"));
}

}  // namespace
