// The loan lines of the first printed page: the fields' texts as they stand, behind labels
// of one width.
#include <gtest/gtest.h>

#include "app/loan_information.h"
#include "support/fake_port.h"

namespace {

// Characters, not bytes: the labels are Cyrillic.
std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

TEST(LoanInformationLines, TheFieldsAsTheyStandBehindLabelsOfOneWidth) {
    testing_support::FormFixture fixture;
    // Texts are not reformatted, even ones the fields would rewrite on leaving.
    fixture.enterLoan("0012,50", "12,0", "007", {2005, 1, 9});
    const auto lines = app::LoanInformationLines(fixture.form);
    EXPECT_EQ(lines[0], "Сумма кредита          : 0012,50");
    EXPECT_EQ(lines[1], "Процентная ставка      : 12,0 %");
    EXPECT_EQ(lines[2], "Срок погашения         : 007 месяцев");
    EXPECT_EQ(lines[3], "Дата получения кредита : 09.01.2005");
    for (const std::string& line : lines) {
        const std::size_t label = line.find(": ") + 2;
        EXPECT_EQ(characters(line.substr(0, label)), 25u) << line;
    }
}

TEST(LoanInformationLines, TheTermTakesTheWordItsNumberAsks) {
    const std::pair<const char*, const char*> terms[] = {
        {"1", "1 месяц"},   {"24", "24 месяца"},   {"21", "21 месяц"},
        {"12", "12 месяцев"}, {"111", "111 месяцев"}, {"1000", "1000 месяцев"},
    };
    for (const auto& [term, shown] : terms) {
        const auto lines = app::LoanInformationLines("1000", "12", term, {2005, 1, 9});
        EXPECT_EQ(lines[2], std::string("Срок погашения         : ") + shown) << term;
    }
}

}  // namespace
