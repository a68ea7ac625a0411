// The integer paths of FormatMoney and of the number parser against the general routines
// they stand in for: the same texts and the same values, bit for bit.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "text/errors.h"
#include "loan/money.h"
#include "loan/number_text.h"
#include "loan/schedule_table.h"
#include "support/random_amount.h"

namespace {

using loan::Extended;
using loan::Locale;
using loan::ScaledAmount;
using testing_support::kLargestAmount;
using testing_support::kSmallestAmount;

bool sameValue(const std::optional<Extended>& a, const std::optional<Extended>& b) {
    if (a.has_value() != b.has_value())
        return false;
    return !a || (*a == *b && std::signbit(*a) == std::signbit(*b));
}

std::string show(const std::optional<Extended>& value) {
    if (!value)
        return "none";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.25Lg", *value);
    return buffer;
}

// Every digit of an amount, four decimals without trailing zeros but at least two.
std::string exactDigits(ScaledAmount amount, char separator) {
    const bool negative = amount < 0;
    const auto magnitude = negative ? 0 - static_cast<std::uint64_t>(amount)
                                    : static_cast<std::uint64_t>(amount);
    std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
    while (fraction.size() > 2 && fraction.back() == '0') fraction.pop_back();
    return (negative ? "-" : "") + std::to_string(magnitude / 10000) + separator +
           fraction;
}

class FastTextUnderBothSeparators : public ::testing::TestWithParam<char> {
  protected:
    Locale locale_ = Locale::withSeparator(GetParam());

    // The money text both ways, and the text read back both ways.
    void expectSameBothWays(ScaledAmount amount) {
        const std::string text = loan::FormatMoney(amount, locale_);
        if (loan::FormatsExactly(amount))
            ASSERT_EQ(text, loan::FormatMoneyFromGeneralText(amount, locale_)) << "amount " << amount;
        else
            ASSERT_EQ(text, exactDigits(amount, locale_.decimalSeparator)) << "amount " << amount;
        expectSameParse(text);
        ASSERT_TRUE(sameValue(loan::WrittenAmountValue(amount, locale_),
                              loan::TryParseNumberGeneral(text, locale_)))
            << "amount " << amount;
    }
    void expectSameParse(const std::string& text) {
        const auto fast = loan::TryParseNumber(text, locale_);
        const auto general = loan::TryParseNumberGeneral(text, locale_);
        ASSERT_TRUE(sameValue(fast, general))
            << "'" << text << "': " << show(fast) << " against " << show(general);
        // The text as an amount, alone and added to a sum: the steps of SumColumn on the
        // general parser's value.
        const auto onGeneral = [&](ScaledAmount sum) {
            if (!general)
                throw loan::ConversionError("no number");
            return loan::RoundToScaled(*general * loan::kScale + static_cast<Extended>(sum));
        };
        const ScaledAmount sum = random_() % 2 ? testing_support::RandomAmount(random_)
                                               : testing_support::RandomLongAmount(random_);
        ASSERT_EQ(outcome([&] { return loan::ParseAmount(text, locale_); }),
                  outcome([&] { return onGeneral(0); }))
            << "'" << text << "'";
        ASSERT_EQ(outcome([&] { return loan::AddCellAmount(sum, text, locale_); }),
                  outcome([&] { return onGeneral(sum); }))
            << "'" << text << "' added to " << sum;
    }

  private:
    static std::string outcome(const std::function<ScaledAmount()>& step) {
        try {
            return std::to_string(step());
        } catch (const loan::ConversionError&) {
            return "no number";
        } catch (const loan::AmountOverflow&) {
            return "overflow";
        }
    }
    std::mt19937_64 random_{static_cast<std::uint64_t>(GetParam())};
};

TEST_P(FastTextUnderBothSeparators, EveryClassOfAmountReadsAndWritesAsTheGeneralRoutines) {
    std::vector<ScaledAmount> amounts = {
        0,
        1,
        -1,
        10,
        100,
        1000,
        10000,
        -10000,  // zero, one to four decimals
        5000,
        -5000,
        15000,
        25000,
        5,
        50,
        500,  // exact halves of every place
        12345,
        123450,
        1234500,
        12345000,
        1234567,  // 1,2345 12,345 ...
        999999999999999,
        -999999999999999,  // 15 significant digits
        1000000000000000,
        -1000000000000000,  // 16: the general routine's own
        1234567890123456,
        9999999999999999,
        100000000000001,  // around the boundary
        123456789012345678,
        kLargestAmount,
        kSmallestAmount,
        kLargestAmount - 1,
        kSmallestAmount + 1,  // the largest amounts
    };
    for (ScaledAmount power = 1; power <= kLargestAmount / 10; power *= 10) {
        for (const ScaledAmount near : {power - 1, power, power + 1, 5 * power}) {
            amounts.push_back(near);
            amounts.push_back(-near);
        }
    }
    for (const ScaledAmount amount : amounts) expectSameBothWays(amount);
}

TEST_P(FastTextUnderBothSeparators, RandomAmountsOfEveryLengthReadAndWriteTheSame) {
    std::mt19937_64 random(20261208);
    const int count = testing_support::RandomCaseCount(100000);
    for (int i = 0; i < count; ++i) {
        expectSameBothWays(testing_support::RandomAmount(random));
        if (HasFatalFailure())
            return;
    }
}

TEST_P(FastTextUnderBothSeparators, OtherTextsReadAsTheGeneralParserReadsThem) {
    const char s = GetParam();
    const std::string sep(1, s);
    const std::vector<std::string> texts = {
        "",
        "-",
        sep,
        "-" + sep,
        "0",
        "-0",
        "00012",
        "0" + sep + "0001",
        "-0" + sep + "00",
        "5" + sep,
        sep + "5",
        "-" + sep + "5",
        "+5",
        " 5",
        "5 ",
        "1" + sep + "2" + sep + "3",
        "1e3",
        "1E-2",
        "--1",
        "1-",
        "12a",
        "1 000",
        "1234567890123456789",   // 19 digits: the integer path
        "12345678901234567890",  // 20: the general parser
        "18446744073709551615",
        "9" + sep + "999999999999999999",
        "0" + sep + "0000000000000000001",
        "1" + sep + "7976931348623157",
    };
    for (const std::string& text : texts) expectSameParse(text);

    // Random digit strings with a separator anywhere, as a hand-edited file may hold.
    std::mt19937_64 random(8122026);
    const int count = testing_support::RandomCaseCount(100000);
    for (int i = 0; i < count; ++i) {
        std::string text = random() % 4 == 0 ? "-" : "";
        const int digits = 1 + static_cast<int>(random() % 21);
        const int separatorAt = static_cast<int>(random() % (digits + 2)) - 1;
        for (int d = 0; d < digits; ++d) {
            if (d == separatorAt && d > 0)
                text += s;
            text += static_cast<char>('0' + random() % 10);
        }
        expectSameParse(text);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, FastTextUnderBothSeparators, ::testing::Values(',', '.'));

}  // namespace
