#include <gtest/gtest.h>

#include "storage/cp1251.h"
#include "storage/text_file.h"

namespace {

using storage::Cp1251ToUtf8;
using storage::Utf8ToCp1251;
using Lines = std::vector<std::string>;

TEST(Cp1251, CyrillicAndThePaymentKindsMapToTheirBytes) {
    EXPECT_EQ(Utf8ToCp1251("П+%(вычет)"), "\xCF+%(\xE2\xFB\xF7\xE5\xF2)");
    EXPECT_EQ(Utf8ToCp1251("АП"), "\xC0\xCF");
    EXPECT_EQ(Utf8ToCp1251("АаЯяЁё№"), "\xC0\xE0\xDF\xFF\xA8\xB8\xB9");
    EXPECT_EQ(Utf8ToCp1251("12,50;15.01.2005;\r\n"), "12,50;15.01.2005;\r\n");
}

TEST(Cp1251, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    const std::string text = Cp1251ToUtf8(all);
    EXPECT_TRUE(storage::IsValidUtf8(text));
    EXPECT_EQ(Utf8ToCp1251(text), all);
    EXPECT_EQ(Cp1251ToUtf8("\x88\xB9\xA0"), "€№\u00A0");
}

TEST(Cp1251, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a\u4E2Db"), "a?b");
    EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80"), "?");  // outside the basic plane
    EXPECT_EQ(Utf8ToCp1251("x\xD0"), "x?");            // cut short
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");         // overlong "/"
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");    // a surrogate
}

TEST(DecodeFileText, TellsUtf8FromWindows1251) {
    EXPECT_EQ(storage::DecodeFileText("\xCF+%(\xE2\xFB\xF7\xE5\xF2);"), "П+%(вычет);");
    EXPECT_EQ(storage::DecodeFileText("\xC0\xCF;"), "АП;");
    EXPECT_EQ(storage::DecodeFileText("П+%;"), "П+%;");
    EXPECT_EQ(storage::DecodeFileText("\xEF\xBB\xBF"
                                      "150000"),
              "150000");
    // A signature before Windows-1251 text: the text is read as Windows-1251, not passed on
    // as broken UTF-8 that a later save would turn into "?".
    const std::string text = storage::DecodeFileText("\xEF\xBB\xBF\xCF+%(\xE2\xFB\xF7\xE5\xF2);");
    EXPECT_EQ(text, "П+%(вычет);");
    EXPECT_TRUE(storage::IsValidUtf8(text));
    EXPECT_EQ(storage::DecodeFileText(""), "");
}

TEST(SplitLines, LineEndsOfEitherKindAndAMissingLastOne) {
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\n\r\nb", {"a", "", "b"}},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(storage::SplitLines(text), lines) << testing::PrintToString(text);
    }
}

}  // namespace
