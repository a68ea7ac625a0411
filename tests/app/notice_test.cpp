#include "app/notice.h"

#include <gtest/gtest.h>

#include "text/errors.h"

namespace {

TEST(HexToInt, ReadsDigitsOfEitherCaseInBaseSixteen) {
    EXPECT_EQ(app::HexToInt(""), 0);
    EXPECT_EQ(app::HexToInt("0"), 0);
    EXPECT_EQ(app::HexToInt("9"), 9);
    EXPECT_EQ(app::HexToInt("A"), 10);
    EXPECT_EQ(app::HexToInt("ff"), 255);
    EXPECT_EQ(app::HexToInt("fF"), 255);
    EXPECT_EQ(app::HexToInt("1a2B"), 0x1A2B);
    EXPECT_EQ(app::HexToInt("7FFFFFFF"), 0x7FFFFFFF);
}

TEST(HexToInt, RefusesAnyOtherCharacter) {
    for (const char* text : {"G", "1 2", "-1", "0x10", "ё"}) {
        try {
            app::HexToInt(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const loan::ConversionError& error) {
            EXPECT_STREQ(error.what(), "No Hex-Number") << text;
        }
    }
}

TEST(Notice, DecipheringUndoesEnciphering) {
    for (const char* text : {"", "a", "Ссудомер 2.0", "0123456789 — тест"}) {
        const std::string stored = app::EncipherNotice(text);
        EXPECT_EQ(stored.size(), std::string(text).size() * 2);
        EXPECT_EQ(app::DecipherNotice(stored), text);
    }
}

TEST(Notice, StoredNoticeIsNotPlainTextAndReadsBack) {
    const std::string notice = app::StatusNotice();
    EXPECT_EQ(notice.rfind("Ссудомер 2.0", 0), 0u) << notice;
    // The stored form hides the text: it is no plain hex of the UTF-8 bytes.
    EXPECT_NE(app::EncipherNotice(notice).substr(0, 4), "D0A1");
}

TEST(Notice, BrokenStoredTextIsAConversionError) {
    EXPECT_THROW(app::DecipherNotice("ABC"), loan::ConversionError);
    EXPECT_THROW(app::DecipherNotice("zz"), loan::ConversionError);
}

}  // namespace
