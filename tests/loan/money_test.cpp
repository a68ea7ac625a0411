#include <gtest/gtest.h>

#include "text/errors.h"
#include "loan/money.h"
#include "loan/number_text.h"

namespace {

using loan::Locale;

class UnderBothSeparators : public ::testing::TestWithParam<char> {
  protected:
    Locale locale() const { return Locale::withSeparator(GetParam()); }
    // The expected text written with "," turned into the separator under test.
    std::string expect(std::string text) const {
        for (char& c : text) {
            if (c == ',')
                c = GetParam();
        }
        return text;
    }
};

TEST_P(UnderBothSeparators, FormatMoneyKeepsAtLeastTwoDecimals) {
    const struct {
        long double units;
        const char* text;
    } cases[] = {
        {0, "0,00"},         {1, "1,00"},          {1234.56L, "1234,56"},
        {1234, "1234,00"},   {1234.1L, "1234,10"}, {0.5L, "0,50"},
        {-0.5L, "-0,50"},    {0.01L, "0,01"},      {1.2345L, "1,2345"},
        {12.345L, "12,345"}, {-1067, "-1067,00"},  {100000000000.01L, "100000000000,01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(loan::FormatMoney(loan::ToScaled(c.units), locale()), expect(c.text))
            << "amount " << static_cast<double>(c.units);
    }
}

TEST_P(UnderBothSeparators, GeneralNumberTextIsShortestWithFifteenDigits) {
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {7, "7"},
        {12.5L, "12,5"},
        {-5, "-5"},
        {250000, "250000"},
        {0.0001L, "0,0001"},
        {0.1L, "0,1"},
        {1e14L, "100000000000000"},
        {123456789012345678.0L, "1,23456789012346E17"},
        {1.0L / 3, "0,333333333333333"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(loan::GeneralNumberText(c.value, locale()), expect(c.text));
    }
}

TEST_P(UnderBothSeparators, NumberParserTakesOnlyTheLocaleSeparator) {
    EXPECT_EQ(loan::ParseNumber(expect(" 1234,56 "), locale()), 1234.56L);
    EXPECT_EQ(loan::ParseNumber(expect("-0,5"), locale()), -0.5L);
    EXPECT_EQ(loan::ParseNumber(expect("+12"), locale()), 12);
    EXPECT_EQ(loan::ParseNumber(expect("1,5E3"), locale()), 1500);
    EXPECT_EQ(loan::ParseNumber(expect(",5"), locale()), 0.5L);
    const char other = GetParam() == ',' ? '.' : ',';
    for (std::string bad :
         {std::string(""), std::string(" "), std::string("abc"), std::string("1") + other + "5",
          std::string("1 000"), std::string("--1"), std::string("1e"), std::string("1e99999")}) {
        EXPECT_FALSE(loan::TryParseNumber(bad, locale()).has_value()) << bad;
    }
    EXPECT_THROW(loan::ParseNumber("x", locale()), loan::ConversionError);
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderBothSeparators, ::testing::Values(',', '.'));

TEST(RoundFraction, RoundsTheBinaryValueHalfAwayFromZero) {
    const struct {
        double x;
        double expected;
    } cases[] = {
        {12.345, 12.35}, {2.675, 2.67},   {-2.675, -2.67}, {1.005, 1.00},
        {0.125, 0.13},   {0.285, 0.28},   {0.015, 0.02},   {1234.565, 1234.57},
        {8.5, 8.5},      {-0.125, -0.13}, {0, 0},          {100, 100},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(loan::RoundFraction(100, c.x), c.expected) << c.x;
    }
}

TEST(PercentOf, MultipliesInTheStatedOrder) {
    EXPECT_EQ(loan::PercentOf(12000, 12, 1.0 / 12), 120);
    EXPECT_EQ(loan::PercentOf(12000, 0.5, 1), 60);
    EXPECT_DOUBLE_EQ(loan::PercentOf(11053, 12, 1.0 / 12), 110.53);
}

TEST(ScaledAmount, RoundsHalfToEvenAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(loan::RoundToScaled(2.5L), 2);
    EXPECT_EQ(loan::RoundToScaled(3.5L), 4);
    EXPECT_EQ(loan::RoundToScaled(-2.5L), -2);
    EXPECT_EQ(loan::ToScaled(0.00005L), 0);
    EXPECT_EQ(loan::ToScaled(0.00015L), 2);
    EXPECT_EQ(loan::ToScaled(1234.56), 12345600);
    EXPECT_THROW(loan::ToScaled(1e15L), loan::AmountOverflow);
    EXPECT_THROW(loan::ToScaled(std::numeric_limits<long double>::infinity()),
                 loan::AmountOverflow);
    EXPECT_THROW(loan::ToScaled(std::numeric_limits<long double>::quiet_NaN()),
                 loan::AmountOverflow);
    EXPECT_THROW(loan::AddAmounts(INT64_MAX, 1), loan::AmountOverflow);
    EXPECT_THROW(loan::SubtractAmounts(INT64_MIN, 1), loan::AmountOverflow);
    EXPECT_EQ(loan::AddAmounts(-5, 7), 2);
}

TEST(IntegerParser, AcceptsBlanksAndSignButNothingElse) {
    EXPECT_EQ(loan::ParseInteger(" 12 "), 12);
    EXPECT_EQ(loan::ParseInteger("+7"), 7);
    EXPECT_EQ(loan::ParseInteger("-3"), -3);
    EXPECT_EQ(loan::ParseInteger("007"), 7);
    for (const char* bad : {"", "1.5", "12a", "++1", "99999999999", "1 2"}) {
        EXPECT_FALSE(loan::TryParseInteger(bad).has_value()) << bad;
    }
    EXPECT_THROW(loan::ParseInteger("x"), loan::ConversionError);
}

}  // namespace
