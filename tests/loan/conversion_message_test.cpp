// The messages of texts that are no number or date: Russian, quoting the text short.

#include <gtest/gtest.h>

#include "loan/date.h"
#include "text/errors.h"
#include "loan/number_text.h"

namespace {

template <class Parse>
std::string messageOf(Parse parse) {
    try {
        parse();
    } catch (const loan::ConversionError& error) {
        return error.what();
    }
    return "no error";
}

TEST(ConversionMessages, SayWhatTheTextIsNotAndQuoteItAsAnExcerpt) {
    const loan::Locale comma = loan::Locale::withSeparator(',');
    EXPECT_EQ(messageOf([&] { loan::ParseNumber("abc", comma); }), "\"abc\" не является числом.");
    EXPECT_EQ(messageOf([&] { loan::ParseInteger("12,5"); }), "\"12,5\" не является целым числом.");
    EXPECT_EQ(messageOf([] { loan::ParseShortDate("31.02.2005"); }),
              "\"31.02.2005\" не является датой.");
    EXPECT_EQ(messageOf([&] { loan::ParseNumber(std::string(100, '7') + "x", comma); }),
              "\"" + std::string(60, '7') + "…\" не является числом.");
    EXPECT_EQ(messageOf([&] { loan::ParseNumber("1\r\n2", comma); }),
              "\"1\\x0D\\x0A2\" не является числом.");
}

}  // namespace
