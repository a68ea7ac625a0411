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

// Fields past the seventh are dropped, and the kind may be left out; the fields up to
// "Всего за платеж" are what a payment needs.
TEST(PaymentFileLines, ExtraFieldsAreDroppedAndTheKindMayBeMissing) {
    testing_support::TempFolder folder;
    const std::string path = folder / "fields.crp";
    testing_support::WriteBytes(path,
                                "1000\r\n12\r\n10\r\n10.03.2004\r\n"
                                "1;10.04.2004;1000,00;100,00;10,00;110,00;П+%;note;more;\r\n"
                                "2;10.05.2004;900,00;100,00;9,00;109,00;\r\n");
    testing_support::FormFixture f;
    ASSERT_TRUE(f.form.RunHandler([&] { f.form.LoadPaymentFile(path); }))
        << f.port.messages.back().text;
    EXPECT_EQ(f.row(1), (Row{"1", "10.04.2004", "1000,00", "100,00", "10,00", "110,00", "П+%"}));
    EXPECT_EQ(f.row(2), (Row{"2", "10.05.2004", "900,00", "100,00", "9,00", "109,00", ""}));
    EXPECT_EQ(f.form.Label11, "800,00");
}

}  // namespace
