// A payment file whose lines contradict one another (a principal edited, a line taken out,
// lines out of date order) is refused whole; every file the register writes still loads.

#include <gtest/gtest.h>

#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using testing_support::FormFixture;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::string kHeader = "1000\r\n12\r\n10\r\n10.03.2004\r\n";
const std::string kFirst = "1;10.04.2004;1000,00;100,00;10,00;110,00;П+%;\r\n";
const std::string kSecond = "2;10.05.2004;900,00;100,00;9,00;109,00;П+%;\r\n";
const std::string kThird = "3;10.06.2004;800,00;100,00;8,00;108,00;П+%;\r\n";

struct Loaded {
    bool ok = false;
    std::string message;
    int nextRow = 0;
};

Loaded load(const std::string& content, char separator = ',') {
    TempFolder folder;
    const std::string path = folder / "loan.crp";
    WriteBytes(path, content);
    FormFixture f(separator);
    Loaded result;
    result.ok = f.form.RunHandler([&] { f.form.LoadPaymentFile(path); });
    if (!f.port.messages.empty()) {
        const std::string& text = f.port.messages.back().text;
        const std::string prefix = "Файл \"" + path + "\" не загружен; ничего не изменено.\r";
        result.message = text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : text;
    }
    result.nextRow = f.form.NextRow;
    return result;
}

TEST(PaymentFileConsistency, LinesThatDoNotFollowAreRefusedNamingLineAndField) {
    struct Case {
        std::string name, payments, reason;
    };
    const std::vector<Case> cases = {
        {"a principal edited", kFirst + "2;10.05.2004;900,00;150,00;9,00;159,00;П+%;\r\n" + kThird,
         "Строка 7, поле \"Остаток кредита\": \"800,00\" — не следует из предыдущей строки: "
         "900,00 - 150,00 = 750,00."},
        {"a balance edited", kFirst + "2;10.05.2004;950,00;100,00;9,00;109,00;П+%;\r\n",
         "Строка 6, поле \"Остаток кредита\": \"950,00\" — не следует из предыдущей строки: "
         "1000,00 - 100,00 = 900,00."},
        {"a line taken out", kFirst + kThird,
         "Строка 6, поле \"№\": \"3\" — платежи нумеруются подряд, здесь нужен номер 2."},
        {"a line taken out and the rest renumbered",
         kFirst + "2;10.06.2004;800,00;100,00;8,00;108,00;П+%;\r\n",
         "Строка 6, поле \"Остаток кредита\": \"800,00\" — не следует из предыдущей строки: "
         "1000,00 - 100,00 = 900,00."},
        {"numbers that start elsewhere", "0;10.04.2004;1000,00;100,00;10,00;110,00;П+%;\r\n",
         "Строка 5, поле \"№\": \"0\" — платежи нумеруются подряд, здесь нужен номер 1."},
        {"no number", ";10.04.2004;1000,00;100,00;10,00;110,00;П+%;\r\n",
         "Строка 5, поле \"№\": \"\" — платежи нумеруются подряд, здесь нужен номер 1."},
        {"lines out of date order", kFirst + "2;09.04.2004;900,00;100,00;9,00;109,00;П+%;\r\n",
         "Строка 6, поле \"Дата\": \"09.04.2004\" — раньше даты предыдущего платежа 10.04.2004."},
        {"a payment before the loan", "1;09.03.2004;1000,00;100,00;10,00;110,00;П+%;\r\n",
         "Строка 5, поле \"Дата\": \"09.03.2004\" — раньше даты получения кредита 10.03.2004."},
        {"a first balance that is not the loan",
         "1;10.04.2004;1100.00;100,00;10,00;110,00;П+%;\r\n",
         "Строка 5, поле \"Остаток кредита\": \"1100.00\" — не равен сумме кредита 1000,00."},
        {"a principal beyond the balance",
         kFirst + kSecond + "3;10.06.2004;800,00;800,01;8,00;808,01;П+%;\r\n",
         "Строка 7, поле \"Основной платеж\": \"800,01\" — больше остатка кредита 800,00."},
        {"a contradiction after many good lines",
         kFirst + kSecond + kThird + "4;10.07.2004;700,00;100,00;7,00;107,00;П+%;\r\n" +
             "5;10.08.2004;600,00;100,00;6,00;106,00;П+%;\r\n" +
             "6;10.09.2004;600,00;100,00;5,00;105,00;П+%;\r\n",
         "Строка 10, поле \"Остаток кредита\": \"600,00\" — не следует из предыдущей строки: "
         "600,00 - 100,00 = 500,00."},
    };
    for (const Case& c : cases) {
        const Loaded loaded = load(kHeader + c.payments);
        EXPECT_FALSE(loaded.ok) << c.name;
        EXPECT_EQ(loaded.message, c.reason) << c.name;
        EXPECT_EQ(loaded.nextRow, 1) << c.name;
    }
}

// What the register can write, and what another program keeping its rules writes, loads:
// payments on one day, on the loan's day, of no principal, a negative principal (a deducted
// payment that the overdue surcharge outran), amounts written with the other separator or
// without decimals, a loan paid off to 0.
TEST(PaymentFileConsistency, LinesThatFollowLoad) {
    const std::string payments =
        "1;10.03.2004;1000;100;0;100;П+%;\r\n"
        "2;10.03.2004;900.00;0;0,5;0,50;П+%(вычет);\r\n"
        "+3;10.04.2004;900,00;-5,00;12,00;7,00;П+%(вычет);\r\n"
        " 4 ;11.04.2004;905.0000;905;1,00;906,00;АП;\r\n";
    for (const char separator : {',', '.'}) {
        const Loaded loaded = load(kHeader + payments, separator);
        EXPECT_TRUE(loaded.ok) << loaded.message;
        EXPECT_EQ(loaded.nextRow, 5);
    }
}

// Large loans: above 10^11 an amount's text keeps 15 significant digits, so the balances the
// register writes follow only within those digits; its own files must load all the same.
TEST(PaymentFileConsistency, TheRegistersOwnFilesOfLargeLoansLoadAgain) {
    for (const char* sum : {"100000000000", "99999999999,9999", "54321098765,4321"}) {
        FormFixture f;
        f.enterLoan(sum, "13,7", "7", {2005, 1, 15});
        f.form.N16Click();
        const std::vector<std::pair<loan::Date, const char*>> payments = {
            {{2005, 2, 15}, "12345678901,2345"},
            {{2005, 3, 17}, ""},
            {{2005, 4, 15}, "33333333333,3333"},
            {{2005, 5, 1}, ""},
        };
        for (const auto& [date, amount] : payments) {
            f.form.DateTimePicker2.Date = date;
            f.form.SpinEdit4.Text = amount;
            f.form.RadioButton1.Checked = *amount != '\0';
            f.form.RadioButton3.Checked = false;
            f.form.RadioButton4.Checked = *amount == '\0';
            f.form.Button4Click();
        }
        ASSERT_EQ(f.form.NextRow, 5) << sum;
        TempFolder folder;
        const std::string path = folder / "large.crp";
        ASSERT_TRUE(f.form.RunHandler([&] { f.form.SaveFile(path); })) << sum;

        FormFixture again;
        EXPECT_TRUE(again.form.RunHandler([&] { again.form.LoadPaymentFile(path); }))
            << sum << ": " << (again.port.messages.empty() ? "" : again.port.messages.back().text)
            << "\n"
            << ReadBytes(path);
        EXPECT_EQ(again.form.NextRow, 5) << sum;
    }
}

}  // namespace
