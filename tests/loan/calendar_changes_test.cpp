#include <gtest/gtest.h>

#include "loan/calendar_changes.h"
#include "text/errors.h"
#include "support/error_text.h"

namespace {

using loan::CalendarChange;
using loan::Date;

std::string refusal(const std::vector<std::string>& lines) {
    return testing_support::ErrorText<loan::ConversionError>(
        [&] { loan::ParseCalendarChanges(lines); });
}

TEST(CalendarChanges, ReadsDatesWordsCommentsAndBlankLines) {
    const std::vector<std::string> lines = {
        "# перенос по приказу банка",
        "",
        "  04.11.2024\tрабочий  ",
        "09.01.2025 нерабочий # свой выходной\r",
        "1.2.30 рабочий",
        "   ",
    };
    const std::vector<CalendarChange> expected = {
        {{2024, 11, 4}, true}, {{2025, 1, 9}, false}, {{2030, 2, 1}, true}};
    EXPECT_EQ(loan::ParseCalendarChanges(lines), expected);
    EXPECT_EQ(loan::ParseCalendarChanges(loan::FormatCalendarChanges(expected)), expected);
    EXPECT_EQ(loan::FormatCalendarChanges(expected)[1], "09.01.2025 нерабочий");
}

TEST(CalendarChanges, RefusesABadLineNamingIt) {
    EXPECT_EQ(refusal({"", "31.02.2024 рабочий"}),
              "Строка 2: \"31.02.2024\" не является датой.");
    EXPECT_EQ(refusal({"рабочий 01.05.2024"}), "Строка 1: \"рабочий\" не является датой.");
    EXPECT_EQ(refusal({"01.05.2024"}),
              "Строка 1: после даты нужно слово \"рабочий\" или \"нерабочий\".");
    EXPECT_EQ(refusal({"01.05.2024 праздник"}),
              "Строка 1: \"праздник\" — не \"рабочий\" и не \"нерабочий\".");
    EXPECT_EQ(refusal({"01.05.2024 Рабочий"}),
              "Строка 1: \"Рабочий\" — не \"рабочий\" и не \"нерабочий\".");
    EXPECT_EQ(refusal({"01.05.2024 рабочий день"}),
              "Строка 1: лишний текст \"день\" после \"рабочий\".");
    EXPECT_EQ(refusal({"01.05.2024 рабочий", "# ...", "1.5.2024 нерабочий"}),
              "Строка 3: дата 01.05.2024 уже указана в строке 1.");
    // A line of bytes that are no text is quoted as an excerpt, not copied into the message.
    EXPECT_EQ(refusal({std::string("01.05.2024 \x01\xff")}),
              "Строка 1: \"\\x01\\xFF\" — не \"рабочий\" и не \"нерабочий\".");
}

}  // namespace
