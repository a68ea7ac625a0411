#include "loan/money.h"

#include <array>
#include <cmath>
#include <cstring>

#include "loan/amount_limit.h"
#include "text/errors.h"
#include "loan/number_text.h"

namespace loan {

namespace {

constexpr Extended kTwoTo63 = 9223372036854775808.0L;

// "00", "01", ... "99": two digits are written with one division.
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the two digits of 0..99 before `p` and returns where they begin.
char* writePairBefore(char* p, unsigned pair) {
    p -= 2;
    std::memcpy(p, &kDigitPairs[2 * pair], 2);
    return p;
}

std::string formatExactMoney(ScaledAmount amount, char separator) {
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    const std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::uint64_t whole = magnitude / kScale;
    const auto fraction = static_cast<unsigned>(magnitude % kScale);
    // Four decimals without their trailing zeros, but never fewer than two.
    if (fraction % 100 == 0) {
        p = writePairBefore(p, fraction / 100);
    } else if (fraction % 10 == 0) {
        *--p = static_cast<char>('0' + fraction / 10 % 10);
        p = writePairBefore(p, fraction / 100);
    } else {
        p = writePairBefore(p, fraction % 100);
        p = writePairBefore(p, fraction / 100);
    }
    *--p = separator;
    while (whole >= 100) {
        p = writePairBefore(p, static_cast<unsigned>(whole % 100));
        whole /= 100;
    }
    if (whole >= 10)
        p = writePairBefore(p, static_cast<unsigned>(whole));
    else
        *--p = static_cast<char>('0' + whole);
    if (amount < 0)
        *--p = '-';
    return std::string(p, end);
}

}  // namespace

// Within the amount limit: an amount that fits a ScaledAmount but passes the limit would
// lose kopecks on its way through the arithmetic.
bool FitsScaled(double units) {
    return std::isfinite(units) && std::fabs(units) <= kMaxAmountUnits;
}

ScaledAmount RoundToScaled(Extended value) {
    // The negated test also refuses NaN.
    if (!(value >= -kTwoTo63 && value < kTwoTo63))
        throw AmountOverflow();
    return static_cast<ScaledAmount>(std::llrint(value));
}

ScaledAmount AddAmounts(ScaledAmount a, ScaledAmount b) {
    ScaledAmount sum;
    if (__builtin_add_overflow(a, b, &sum))
        throw AmountOverflow();
    return sum;
}

ScaledAmount SubtractAmounts(ScaledAmount a, ScaledAmount b) {
    ScaledAmount difference;
    if (__builtin_sub_overflow(a, b, &difference))
        throw AmountOverflow();
    return difference;
}

double PercentOf(double base, double percent, double factor) {
    const Extended share = static_cast<Extended>(percent) / 100;
    return static_cast<double>(share * base * factor);
}

double RoundFraction(int n, double x) {
    const double whole = std::trunc(x);
    const double part = x - whole;  // exact
    const double scaled = static_cast<double>(static_cast<Extended>(part) * n);
    const double rest = scaled - std::trunc(scaled);
    Extended steps = std::trunc(scaled);
    if (rest >= 0.5)
        steps += 1;
    if (rest <= -0.5)
        steps -= 1;
    return static_cast<double>(static_cast<Extended>(whole) + steps / n);
}

std::string FormatMoney(ScaledAmount amount, const Locale& locale) {
    // Integer arithmetic writes every digit; below 10^11 units that is the general text
    // itself, above it the general text would round to 15 digits and drop the kopecks.
    return formatExactMoney(amount, locale.decimalSeparator);
}

std::string FormatMoneyFromGeneralText(ScaledAmount amount, const Locale& locale) {
    const Extended value = ToUnits(amount);
    std::string text = GeneralNumberText(value, locale);
    const auto separator = text.find(locale.decimalSeparator);
    if (text.size() > 1 && separator != std::string::npos && separator + 2 == text.size()) {
        text += '0';
    }
    if (std::trunc(value) * kScale == static_cast<Extended>(amount)) {
        text += locale.decimalSeparator;
        text += "00";
    }
    return text;
}

}  // namespace loan
