// Payment-file lines as the reader cuts them and fills rows from them.

#include <gtest/gtest.h>

#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using Row = std::vector<std::string>;

TEST(PaymentFileLines, EveryKindOfLineEndEndsALine) {
    testing_support::TempFolder folder;
    const std::string path = folder / "mixed.crp";
    // CR LF, a lone CR and LF in one file; the last line has no end.
    testing_support::WriteBytes(path,
                                "1000\r12\n10\r\n10.03.2004\r"
                                "1;10.04.2004;1000,00;100,00;10,00;110,00;П+%;\r"
                                "2;10.05.2004;900,00;100,00;9,00;109,00;АП;\n"
                                "3;10.06.2004;800,00;100,00;8,00;108,00;АП;");
    testing_support::FormFixture f;
    ASSERT_TRUE(f.form.RunHandler([&] { f.form.LoadPaymentFile(path); }));
    EXPECT_EQ(f.form.NextRow, 4);
    EXPECT_EQ(f.row(3), (Row{"3", "10.06.2004", "800,00", "100,00", "8,00", "108,00", "АП"}));
    EXPECT_EQ(f.form.Label11, "700,00");
    EXPECT_EQ(f.form.Label15, "327,00");
}

TEST(PaymentFileLines, ALineThatFailsKeepsTheFieldsBeforeTheBadOne) {
    testing_support::TempFolder folder;
    const std::string path = folder / "bad.crp";
    testing_support::WriteBytes(path,
                                "1000\r\n12\r\n10\r\n10.03.2004\r\n"
                                "1;10.04.2004;1000,00;100,00;10,00;110,00;П+%;\r\n"
                                "2;10.05.2004;900,00;1OO,00;9,00;109,00;АП;\r\n");
    testing_support::FormFixture f;
    EXPECT_FALSE(f.form.RunHandler([&] { f.form.LoadPaymentFile(path); }));
    EXPECT_EQ(f.port.messages.back().text, "'1OO,00' is not a valid floating point value");
    EXPECT_EQ(f.row(2), (Row{"2", "10.05.2004", "900,00", "", "", "", ""}));
    EXPECT_EQ(f.form.Label11, "900,00");  // the balance after the last whole row
}

}  // namespace
