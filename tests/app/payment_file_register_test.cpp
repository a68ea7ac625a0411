// Loading a payment file refreshes the register's values: the advance, the interest due
// today and, with the option marked, the forecast.
#include <gtest/gtest.h>

#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

// The first payment's principal in whole units ("2000,00"); the second starts from the
// balance it leaves.
std::string fileWithSecondPrincipal(const std::string& firstPrincipal) {
    const std::string balance = std::to_string(12000 - std::stoi(firstPrincipal)) + ",00";
    return "12000\r\n12\r\n12\r\n10.03.2004\r\n"
           "1;10.04.2004;12000,00;" +
           firstPrincipal + ";120,00;1120,00;П+%;\r\n" + "2;10.05.2004;" + balance +
           ";500,00;110,00;610,00;П+%;\r\n";
}

TEST(PaymentFileRegister, TheAdvanceIsShownWithItsSign) {
    TempFolder folder;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2000,00", "500,00"}, {"1500,00", "0,00"}, {"1000,00", "- 500,00"}};
    for (const auto& [first, advance] : cases) {
        testing_support::FormFixture f;
        WriteBytes(folder / "loan.crp", fileWithSecondPrincipal(first));
        f.form.LoadPaymentFile(folder / "loan.crp");
        EXPECT_EQ(f.form.Label19, advance) << first;
        EXPECT_NE(f.form.Label13, "0") << "the interest due today is shown";
    }
}

TEST(PaymentFileRegister, TheLoadMenuForecastsWhenTheOptionIsMarked) {
    TempFolder folder;
    WriteBytes(folder / "loan.crp", fileWithSecondPrincipal("1000,00"));
    testing_support::FormFixture f;
    f.form.N12.Checked = true;
    f.port.filesToOpen = {folder / "loan.crp"};
    f.form.N3Click();
    EXPECT_TRUE(f.port.messages.empty());
    EXPECT_EQ(f.form.NextRow, 3);
    EXPECT_TRUE(f.form.StringGrid1.rowHasText(3));
    EXPECT_GT(f.form.StringGrid1.rowCount(), 10);

    f.form.N12.Checked = false;
    f.port.filesToOpen = {folder / "loan.crp"};
    f.form.N3Click();
    EXPECT_FALSE(f.form.StringGrid1.rowHasText(3));
}

}  // namespace
