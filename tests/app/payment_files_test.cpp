#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "loan/date.h"
#include "text/errors.h"
#include "loan/number_text.h"
#include "text/text.h"
#include "storage/safe_file_writer.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using Row = std::vector<std::string>;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Two payments as the register leaves them, with a forecast row below that is not saved.
void enterTwoPayments(testing_support::FormFixture& f) {
    f.enterLoan("150000", "12,5", "24", {2005, 1, 15});
    f.form.N16Click();
    const std::vector<Row> rows = {
        {"1", "15.02.2005", "150000,00", "6250,00", "1592,47", "7842,47", "П+%(вычет)"},
        {"2", "15.03.2005", "143750,00", "6250,00", "1438,36", "7688,36", "АП"},
        {"3", "Апрель 2005", "137500,00", "6250,00", "1400,00", "7650,00", ""},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 7; ++c)
            f.form.StringGrid1.setCell(c, static_cast<int>(r) + 1, rows[r][c]);
    }
    f.form.NextRow = 3;
    f.form.PaymentsModified = true;
}

const std::string kTwoPaymentsFile =
    "150000\r\n12,5\r\n24\r\n15.01.2005\r\n"
    "1;15.02.2005;150000,00;6250,00;1592,47;7842,47;\xCF+%(\xE2\xFB\xF7\xE5\xF2);\r\n"
    "2;15.03.2005;143750,00;6250,00;1438,36;7688,36;\xC0\xCF;\r\n";

class PaymentFiles : public ::testing::Test, protected testing_support::FormFixture {
  protected:
    TempFolder folder;

    // Loads through the message loop, as the window does.
    bool load(const std::string& path) {
        return form.RunHandler([&] { form.LoadPaymentFile(path); });
    }
    std::string lastMessage() const {
        return port.messages.empty() ? "" : port.messages.back().text;
    }
};

TEST_F(PaymentFiles, SaveWritesTheHeaderAndThePaymentRowsOnly) {
    enterTwoPayments(*this);
    form.StringGrid1.setCell(0, 2, "x");  // the number written is the row's, not the cell's
    const std::string path = folder / "loan.crp";
    form.SaveFile(path);
    EXPECT_EQ(ReadBytes(path), kTwoPaymentsFile);
    EXPECT_FALSE(form.PaymentsModified);
}

// A save without a complete loan must not empty the file chosen: it says so and keeps it.
TEST_F(PaymentFiles, SaveWithoutACompleteLoanKeepsTheFileAndSaysSo) {
    enterTwoPayments(*this);
    form.SpinEdit3.Text = "0";
    const std::string path = folder / "loan.crp";
    WriteBytes(path, kTwoPaymentsFile);
    form.SaveFile(path);
    EXPECT_EQ(ReadBytes(path), kTwoPaymentsFile);
    EXPECT_TRUE(form.PaymentsModified);
    EXPECT_EQ(lastMessage(),
              "Не задана сумма кредита, процентная ставка или срок: файл \"loan.crp\" не "
              "записан.");
    EXPECT_FALSE(std::filesystem::exists(folder / "empty.crp"));
    form.SaveFile(folder / "empty.crp");
    EXPECT_FALSE(std::filesystem::exists(folder / "empty.crp"));
}

TEST_F(PaymentFiles, AFailedSaveSaysSoAndKeepsTheEarlierFile) {
    enterTwoPayments(*this);
    const std::string path = folder / "loan.crp";
    WriteBytes(path, "earlier\r\n");
    storage::ScopedWriteFault full(
        [](storage::WriteStage stage) { return stage == storage::WriteStage::Write ? ENOSPC : 0; });
    EXPECT_FALSE(form.RunHandler([&] { form.SaveFile(path); }));
    EXPECT_EQ(lastMessage(),
              "Нет места на диске.\rФайл \"loan.crp\" не записан; прежнее содержимое файла не "
              "изменено.");
    EXPECT_EQ(ReadBytes(path), "earlier\r\n");
    EXPECT_TRUE(form.PaymentsModified);
    EXPECT_EQ(form.CurrentFileName, "");  // a file not written is not the window's
    EXPECT_EQ(form.Caption, app::kPaymentInputCaption);
}

TEST_F(PaymentFiles, LoadRebuildsThePaymentInputState) {
    const std::string path = folder / "loan.crp";
    WriteBytes(path, kTwoPaymentsFile);
    ASSERT_TRUE(load(path));
    EXPECT_EQ(row(1),
              (Row{"1", "15.02.2005", "150000,00", "6250,00", "1592,47", "7842,47", "П+%(вычет)"}));
    EXPECT_EQ(row(2), (Row{"2", "15.03.2005", "143750,00", "6250,00", "1438,36", "7688,36", "АП"}));
    EXPECT_EQ(form.NextRow, 3);
    EXPECT_EQ(form.StringGrid1.rowCount(), 10);
    EXPECT_EQ(form.Label15, "15530,83");
    EXPECT_EQ(form.Label17, "3030,83");
    EXPECT_EQ(form.Label11, "137500,00");
    EXPECT_EQ(form.Label9, "6250,00");
    EXPECT_EQ(form.Loan, 1'500'000'000);
    EXPECT_EQ(form.TermMonths, 24);
    EXPECT_EQ(form.Rate, 12.5);
    EXPECT_EQ(form.Balance, 1'375'000'000);

    EXPECT_EQ(form.Caption, "Ссудомер 2.0 - [loan.crp] - режим ввода платежей");
    EXPECT_EQ(form.CurrentFileName, "loan.crp");
    EXPECT_EQ(form.CurrentFilePath, path);
    EXPECT_TRUE(form.N16.Checked);
    EXPECT_FALSE(form.N13.Checked);
    EXPECT_TRUE(form.GroupBox2.Visible && form.GroupBox2.Enabled);
    EXPECT_FALSE(form.Button1.Enabled);
    EXPECT_TRUE(form.Button4.Enabled && form.Button5.Enabled && form.Button6.Enabled);
    EXPECT_EQ(form.Button2.Caption, "Режим расчета");
    EXPECT_FALSE(form.SpinEdit1.Enabled || form.SpinEdit2.Enabled || form.SpinEdit3.Enabled ||
                 form.DateTimePicker1.Enabled);
    EXPECT_EQ(form.DateTimePicker1.Date, (loan::Date{2005, 1, 15}));
    EXPECT_EQ(form.DateTimePicker2.Date, port.todayDate);
    EXPECT_EQ(form.StringGrid1.cell(0, 0), "№");
    EXPECT_EQ(form.StringGrid1.cell(5, 0), "Всего за платеж");
    EXPECT_EQ(form.StringGrid1.cell(6, 0), "Тип платежа");
    EXPECT_FALSE(form.PaymentsModified);
}

TEST_F(PaymentFiles, SeparatorsAndLineEndsOfOtherMachinesAreRead) {
    // Written under ".", in UTF-8 with LF and no last line end, read under ",".
    const std::string path = folder / "point.crp";
    WriteBytes(path,
               "1000.5\n10.25\n12\n01.02.2005\n1;01.03.2005;1000.5;83.4;8.5;91.9;П+%;\n"
               "2;01.04.2005;917.1;83.38;7.83;91.21;П+%");
    ASSERT_TRUE(load(path));
    EXPECT_EQ(form.SpinEdit1.Text, "1000,5");
    EXPECT_EQ(form.SpinEdit2.Text, "10,25");
    EXPECT_EQ(row(1), (Row{"1", "01.03.2005", "1000,50", "83,40", "8,50", "91,90", "П+%"}));
    EXPECT_EQ(row(2), (Row{"2", "01.04.2005", "917,10", "83,38", "7,83", "91,21", ""}));
    EXPECT_EQ(form.Label11, "833,72");
    EXPECT_EQ(form.Label9, "83,38");

    // Saved again under "," and read under ".": the same loan, in the reader's format.
    form.SaveFile(path);
    testing_support::FormFixture point('.');
    ASSERT_TRUE(point.form.RunHandler([&] { point.form.LoadPaymentFile(path); }));
    EXPECT_EQ(point.form.SpinEdit2.Text, "10.25");
    EXPECT_EQ(point.row(1), (Row{"1", "01.03.2005", "1000.50", "83.40", "8.50", "91.90", "П+%"}));
    EXPECT_EQ(point.form.Label15, "183.11");
}

// A money field reads as the same text with the other separator replaced by the reader's,
// whichever route the reading takes: plain amounts, exponents, both separators, a missing
// whole part, amounts beyond ten-thousandths or too large to be exact.
TEST(PaymentFileFields, MoneyFieldsReadAsTheirTextWithTheSeparatorReplaced) {
    const std::vector<std::string> fields = {"1000.5",
                                             "1000,5",
                                             "-0.25",
                                             "0.00005",
                                             "1.5E3",
                                             "1,5e-2",
                                             "1.000,50",
                                             ".5",
                                             ",5",
                                             "5.",
                                             "12..5",
                                             "",
                                             "0.123456789",
                                             "-0",
                                             "123456789012.3456",
                                             "99999999999.9999",
                                             "1 000.00",
                                             "+7.5"};
    for (const char separator : {',', '.'}) {
        const loan::Locale locale = loan::Locale::withSeparator(separator);
        for (const std::string& field : fields) {
            std::optional<std::string> expected;
            try {
                const std::string normalized = loan::NormalizeDecimalSeparator(field, locale);
                expected = loan::FormatMoney(loan::ParseAmount(normalized, locale), locale);
            } catch (const loan::ConversionError&) {
            }
            TempFolder folder;
            const std::string path = folder / "field.crp";
            WriteBytes(path, "1000\r\n10\r\n12\r\n01.02.2005\r\n1;01.03.2005;1000;83;" + field +
                                 ";91;П+%;\r\n");
            testing_support::FormFixture f(separator);
            const bool loaded = f.form.RunHandler([&] { f.form.LoadPaymentFile(path); });
            EXPECT_EQ(loaded, expected.has_value()) << "'" << field << "' under " << separator;
            if (loaded && expected) {
                EXPECT_EQ(f.form.StringGrid1.cell(4, 1), *expected)
                    << "'" << field << "' under " << separator;
            }
        }
    }
}

TEST_F(PaymentFiles, AHeaderOnlyFileIsALoanWithoutPayments) {
    enterLoan("6000", "12", "12");
    form.SaveFile(folder / "header.crp");
    EXPECT_EQ(ReadBytes(folder / "header.crp"), "6000\r\n12\r\n12\r\n10.03.2004\r\n");
    ASSERT_TRUE(load(folder / "header.crp"));
    EXPECT_EQ(form.NextRow, 1);
    EXPECT_TRUE(form.N16.Checked);
    EXPECT_TRUE(form.Button6.Enabled);
    EXPECT_EQ(form.Label19, "0,00");
    EXPECT_EQ(form.Label15, "0,00");
    EXPECT_EQ(form.Label9, "500,00");
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));
}

TEST_F(PaymentFiles, AnEmptyFileIsNoLoanAndKeepsTheMode) {
    const std::string path = folder / "empty.crp";
    WriteBytes(path, "");
    enterLoan("1000", "12", "10");
    ASSERT_TRUE(load(path));
    EXPECT_EQ(form.SpinEdit1.Text, "0");
    EXPECT_EQ(form.SpinEdit3.Text, "0");
    EXPECT_EQ(form.DateTimePicker1.Date, port.todayDate);
    EXPECT_TRUE(form.N13.Checked);
    EXPECT_EQ(form.Caption, app::kCalculationCaption);
    EXPECT_EQ(form.CurrentFileName, "empty.crp");
}

TEST_F(PaymentFiles, TwelvePaymentsKeepOneEmptyRowBelow) {
    std::string text = "12000\r\n12\r\n12\r\n10.03.2004\r\n";
    for (int i = 1; i <= 12; ++i) {
        text += std::to_string(i) + ";10.04.2004;" + std::to_string(12000 - (i - 1) * 1000) +
                ",00;1000,00;10,00;1010,00;П+%;\r\n";
    }
    WriteBytes(folder / "twelve.crp", text);
    ASSERT_TRUE(load(folder / "twelve.crp"));
    EXPECT_EQ(form.NextRow, 13);
    EXPECT_EQ(form.StringGrid1.rowCount(), 14);
    EXPECT_EQ(form.Label15, "12120,00");
    EXPECT_EQ(form.Label11, "0,00");
}

// Everything a load may change, in one text, so that "nothing changed" is one comparison.
std::string visibleState(const testing_support::FormFixture& f) {
    const app::MainForm& form = f.form;
    std::string state =
        form.Caption + "|" + form.SpinEdit1.Text + "|" + form.SpinEdit2.Text + "|" +
        form.SpinEdit3.Text + "|" + loan::FormatShortDate(form.DateTimePicker1.Date) + "|" +
        (form.SpinEdit1.Enabled ? "open" : "locked") + "|" + (form.N16.Checked ? "N16" : "N13") +
        "|" + std::to_string(form.NextRow) + "|" + form.CurrentFileName + "|" +
        (form.PaymentsModified ? "modified" : "saved") + "|";
    for (const std::string* label : {&form.Label9, &form.Label11, &form.Label13, &form.Label15,
                                     &form.Label17, &form.Label19}) {
        state += *label + "|";
    }
    for (int r = 0; r < form.StringGrid1.rowCount(); ++r) {
        for (const std::string& cell : f.row(r)) state += cell + ";";
    }
    return state;
}

// A file that does not read whole as a loan and its payments is refused before anything
// changes, with a message naming the file and the line.
TEST_F(PaymentFiles, ABrokenFileIsRefusedWholeNamingTheLine) {
    const std::string header = "1000\r\n12\r\n10\r\n10.03.2004\r\n";
    const std::string good = "1;10.04.2004;1000,00;100,00;10,00;110,00;П+%;\r\n";
    struct Case {
        std::string name, content, reason;
    };
    const std::vector<Case> cases = {
        {"sum no number", "12x00\r\n12\r\n10\r\n10.03.2004\r\n" + good,
         "Строка 1 (сумма кредита): \"12x00\" — нужно число."},
        {"binary sum", "\x01\x02\xFF\r\n12\r\n10\r\n10.03.2004\r\n",
         "Строка 1 (сумма кредита): \"\\x01\\x02я\" — нужно число."},
        {"sum too large", "1e300\r\n12\r\n10\r\n10.03.2004\r\n",
         "Строка 1 (сумма кредита): \"1e300\" — сумма слишком велика для расчета."},
        {"rate no number", "1000\r\n12 %\r\n10\r\n10.03.2004\r\n",
         "Строка 2 (процентная ставка): \"12 %\" — нужно число."},
        {"term not whole", "1000\r\n12\r\n10,5\r\n10.03.2004\r\n",
         "Строка 3 (срок погашения): \"10,5\" — нужно целое число месяцев не меньше 1."},
        {"term 0", "1000\r\n12\r\n0\r\n10.03.2004\r\n" + good,
         "Строка 3 (срок погашения): \"0\" — нужно целое число месяцев не меньше 1."},
        {"bad date", "1000\r\n12\r\n10\r\n32.01.2005\r\n" + good,
         "Строка 4 (дата получения кредита): \"32.01.2005\" — нужна дата вида 15.01.2005."},
        {"date line missing", "1000\r\n12\r\n10\r\n",
         "Строка 4 (дата получения кредита): \"\" — нужна дата вида 15.01.2005."},
        // Quoted as the file has it, with its own separator.
        {"bad number", header + good + "2;10.05.2004;9x0.00;100,00;9,00;109,00;П+%;\r\n",
         "Строка 6, поле \"Остаток кредита\": \"9x0.00\" не является числом."},
        {"bad payment date", header + "1;10.04.20x4;1000,00;100,00;10,00;110,00;П+%;\r\n",
         "Строка 5, поле \"Дата\": \"10.04.20x4\" не является датой."},
        {"short line", header + good + "2;10.05.2004;900,00;\r\n",
         "Строка 6: нет поля \"Основной платеж\"."},
        {"no total", header + "1;10.04.2004;1000,00;100,00;10,00;\r\n",
         "Строка 5: нет поля \"Всего за платеж\"."},
        {"empty line inside", header + "\r\n" + good, "Строка 5 пуста."},
        {"empty line at the end", header + good + "\r\n", "Строка 6 пуста."},
        {"amount too large", header + "1;10.04.2004;1e20;100,00;10,00;110,00;П+%;\r\n",
         "Строка 5, поле \"Остаток кредита\": \"1e20\" — сумма слишком велика для расчета."},
    };
    for (const Case& c : cases) {
        // A loan with a payment on screen, as a person has it before choosing the file.
        testing_support::FormFixture f;
        f.enterLoan("5000", "7", "24", {2006, 6, 1});
        f.form.N16Click();
        f.form.DateTimePicker2.Date = {2006, 7, 1};
        f.form.SpinEdit4.Text = "500";
        f.form.Button4Click();
        ASSERT_EQ(f.form.NextRow, 2) << c.name;
        const std::string before = visibleState(f);
        f.port.messages.clear();

        const std::string path = folder / "bad.crp";
        WriteBytes(path, c.content);
        EXPECT_FALSE(f.form.RunHandler([&] { f.form.LoadPaymentFile(path); })) << c.name;
        ASSERT_EQ(f.port.messages.size(), 1u) << c.name;
        EXPECT_EQ(f.port.messages[0].caption, app::kApplicationTitle) << c.name;
        EXPECT_EQ(f.port.messages[0].text,
                  "Файл \"" + path + "\" не загружен; ничего не изменено.\r" + c.reason)
            << c.name;
        EXPECT_EQ(visibleState(f), before) << c.name;
    }
}

// The choice after "No" to the save question: a file that is then refused (or a cancelled
// dialog) has discarded nothing, so the payments stay unsaved and closing still offers them.
TEST_F(PaymentFiles, ARefusedFileLeavesTheLoadedFileAndItsUnsavedPayments) {
    const std::string path = folder / "loan.crp";
    WriteBytes(path, kTwoPaymentsFile);
    ASSERT_TRUE(load(path));
    form.DateTimePicker2.Date = {2005, 4, 15};
    form.RadioButton3.Checked = false;
    form.RadioButton4.Checked = true;
    form.Button4Click();
    ASSERT_EQ(form.NextRow, 4) << lastMessage();
    const std::string before = visibleState(*this);

    const std::string broken = folder / "broken.crp";
    WriteBytes(broken, "150000\r\n12,5\r\n24\r\n15.01.2005\r\n1;15.02.2005;abc;\r\n");
    port.answers = {app::kAnswerNo, app::kAnswerNo};
    port.filesToOpen = {broken, std::nullopt};
    EXPECT_FALSE(form.RunHandler([&] { form.N3Click(); }));
    EXPECT_EQ(visibleState(*this), before);
    form.N3Click();  // the dialog cancelled
    EXPECT_EQ(visibleState(*this), before);
    EXPECT_EQ(port.questions.size(), 2u);

    port.answers = {app::kAnswerYes};
    ASSERT_TRUE(form.FormCloseQuery());  // saved where the loaded file lies
    EXPECT_NE(ReadBytes(path).find("3;15.04.2005;"), std::string::npos);
    EXPECT_EQ(ReadBytes(broken), "150000\r\n12,5\r\n24\r\n15.01.2005\r\n1;15.02.2005;abc;\r\n");
}

TEST_F(PaymentFiles, AMissingFileIsReportedByItsName) {
    EXPECT_FALSE(load(folder / "none.crp"));
    EXPECT_EQ(lastMessage(), "Файл \"" + folder / "none.crp" + "\" не найден.");
    EXPECT_TRUE(form.N13.Checked);
}

TEST_F(PaymentFiles, LoadMenuAsksFirstClearsAndLoadsTheChosenFile) {
    enterTwoPayments(*this);
    port.answers = {app::kAnswerCancel};
    form.N3Click();
    EXPECT_EQ(form.NextRow, 3);  // cancelled: nothing changed
    EXPECT_EQ(port.questions.size(), 1u);

    const std::string path = folder / "loan.crp";
    WriteBytes(path, kTwoPaymentsFile);
    port.answers = {app::kAnswerNo};
    port.filesToOpen = {path};
    form.N3Click();
    EXPECT_EQ(form.Caption, "Ссудомер 2.0 - [loan.crp] - режим ввода платежей");
    EXPECT_FALSE(form.StringGrid1.rowHasText(3));  // the old forecast row went with FullClear
}

// Cancelling the open dialog once emptied the form, and closing then wrote that empty loan
// into the last-loan file.
TEST_F(PaymentFiles, ACancelledLoadChangesNothingAndClosingKeepsTheLoan) {
    form.ProgramPath = folder / "ssudomer";
    enterLoan("150000", "12,5", "24", {2005, 1, 15});
    form.Button1Click();
    const std::string before = visibleState(*this);
    port.filesToOpen = {std::nullopt};
    form.N3Click();
    EXPECT_EQ(visibleState(*this), before);
    EXPECT_TRUE(form.Button5.Enabled);  // the schedule is still there to clear

    const std::string path = folder / "loan.crp";
    WriteBytes(path, kTwoPaymentsFile);
    ASSERT_TRUE(load(path));
    port.filesToOpen = {std::nullopt};
    const std::string loaded = visibleState(*this);
    form.N3Click();
    EXPECT_EQ(visibleState(*this), loaded);
    EXPECT_EQ(form.CurrentFilePath, path);

    form.FormClose();
    EXPECT_EQ(ReadBytes(folder / "oldinfo.ini"), "150000\r\n12,5\r\n24\r\n15.01.2005\r\n");
}

TEST_F(PaymentFiles, TheSaveQuestionWritesTheLoadedFileWhereItLies) {
    const std::string path = folder / "loan.crp";
    WriteBytes(path, kTwoPaymentsFile);
    ASSERT_TRUE(load(path));
    form.StringGrid1.setCell(6, 2, "П+%");
    form.PaymentsModified = true;
    port.answers = {app::kAnswerYes};
    ASSERT_TRUE(form.FormCloseQuery());
    EXPECT_NE(ReadBytes(path).find("2;15.03.2005;143750,00;6250,00;1438,36;7688,36;\xCF+%;"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("loan.crp"));  // not in the current folder
    EXPECT_FALSE(form.PaymentsModified);
}

// A file saved under a name is the window's own from then on, as in any document program:
// "Сохранить платежи..." under a new name once left the caption on the loaded file, and "Да"
// at closing wrote the later changes into that file (or asked for a name again when none had
// been loaded), while the file saved lacked them.
TEST_F(PaymentFiles, ASavedFileBecomesTheWindowsOwn) {
    for (const bool loadedFirst : {true, false}) {
        testing_support::FormFixture f;
        const std::string loaded = folder / "A.crp", saved = folder / "Б копия.crp";
        WriteBytes(loaded, kTwoPaymentsFile);
        if (loadedFirst) {
            ASSERT_TRUE(f.form.RunHandler([&] { f.form.LoadPaymentFile(loaded); }));
        } else {
            f.enterLoan("150000", "12,5", "24", {2005, 1, 15});
            f.form.N16Click();
            for (const loan::Date date : {loan::Date{2005, 2, 15}, loan::Date{2005, 3, 15}}) {
                f.form.DateTimePicker2.Date = date;
                f.form.SpinEdit4.Text = "6250";
                f.form.RadioButton1.Checked = true;
                f.form.RadioButton3.Checked = false;
                f.form.Button4Click();
            }
            ASSERT_EQ(f.form.NextRow, 3);
        }
        f.port.filesToSave = {saved};
        f.form.N4Click();
        const std::string firstSave = ReadBytes(saved);
        EXPECT_EQ(f.form.Caption, "Ссудомер 2.0 - [Б копия.crp] - режим ввода платежей");
        EXPECT_EQ(f.form.CurrentFileName, "Б копия.crp");
        EXPECT_EQ(f.form.CurrentFilePath, saved);

        // A payment added, then "Выход" and "Да": no dialog, the saved file gets it.
        f.form.DateTimePicker2.Date = {2005, 4, 15};
        f.form.RadioButton3.Checked = false;
        f.form.RadioButton4.Checked = true;
        f.form.Button4Click();
        ASSERT_EQ(f.form.NextRow, 4);
        f.port.answers = {app::kAnswerYes};
        f.port.filesToSave = {folder / "asked.crp"};
        ASSERT_TRUE(f.form.FormCloseQuery());
        EXPECT_EQ(f.port.filesToSave.size(), 1u) << "the save dialog was asked";
        EXPECT_NE(ReadBytes(saved).find("3;15.04.2005;137500,00;"), std::string::npos);
        EXPECT_EQ(ReadBytes(loaded), kTwoPaymentsFile);

        // A payment deleted: the same file again.
        f.form.Button6Click();
        f.port.answers = {app::kAnswerYes};
        ASSERT_TRUE(f.form.FormCloseQuery());
        EXPECT_EQ(ReadBytes(saved), firstSave);
        EXPECT_FALSE(std::filesystem::exists(folder / "asked.crp"));
        std::filesystem::remove(saved);
    }
}

// In the calculation mode the caption names no file; the file saved is still offered next.
TEST_F(PaymentFiles, ASaveInTheCalculationModeKeepsItsCaption) {
    enterLoan("6000", "12", "12");
    form.Button1Click();
    form.SaveFile(folder / "plan.crp");
    EXPECT_EQ(form.Caption, app::kCalculationCaption);
    EXPECT_EQ(form.CurrentFileName, "plan.crp");
    form.N16Click();  // a new register is no longer that file
    EXPECT_EQ(form.CurrentFileName, "");
    EXPECT_EQ(form.Caption, app::kPaymentInputCaption);
}

TEST_F(PaymentFiles, SaveMenuWritesTheChosenFileAndACancelWritesNothing) {
    enterTwoPayments(*this);
    port.filesToSave = {std::nullopt, folder / "chosen.crp"};
    form.N4Click();
    EXPECT_TRUE(form.PaymentsModified);
    form.N4Click();
    EXPECT_EQ(ReadBytes(folder / "chosen.crp"), kTwoPaymentsFile);
}

}  // namespace
