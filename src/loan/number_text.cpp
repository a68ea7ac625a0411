#include "loan/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "text/errors.h"

namespace loan {

namespace {

constexpr int kSignificantDigits = 15;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Digits and decimal exponent of the value rounded to 15 significant digits, trailing
// zeros removed: value = 0.d1d2d3... x 10^(exponent + 1).
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalDigits roundToSignificantDigits(Extended value) {
    char buffer[64];
    // std::to_chars does not depend on the C locale, unlike printf.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    DecimalDigits out;
    if (!text.empty() && text.front() == '-') {
        out.negative = true;
        text.remove_prefix(1);
    }
    const auto e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            out.digits += c;
    }
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    out.exponent);
    while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
    return out;
}

constexpr int kMaxPlainDigits = 19;
constexpr std::uint64_t kExactAmountLimit =
    1'000'000'000'000'000;  // 10^11 units  // below 10^19 the digits fit in 64 bits

// Powers of ten up to 10^19, all exact in Extended (5^19 needs only 45 bits).
constexpr Extended kPowersOfTen[kMaxPlainDigits + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};

// A plain decimal text as the program writes it: an optional "-", digits, and at most one
// separator with digits on both sides; no blanks, no exponent, at most 19 digits.
struct PlainDecimal {
    bool negative = false;
    std::uint64_t digits = 0;  // all of them, read as one integer
    int decimals = 0;          // how many of them follow the separator
};

std::optional<PlainDecimal> scanPlainDecimal(std::string_view text, char separator) {
    PlainDecimal plain;
    const char* at = text.data();
    const char* const end = at + text.size();
    plain.negative = at != end && *at == '-';
    if (plain.negative)
        ++at;
    // Digits up to the first other character, read on into plain.digits; how many there were.
    // Past 19 digits the value wraps, but such a text is refused below.
    const auto readDigits = [&] {
        const char* const first = at;
        for (; at != end && static_cast<unsigned char>(*at - '0') < 10; ++at)
            plain.digits = plain.digits * 10 + static_cast<std::uint64_t>(*at - '0');
        return static_cast<int>(at - first);
    };
    const int wholeDigits = readDigits();
    if (wholeDigits == 0)
        return std::nullopt;
    if (at != end && *at == separator) {
        ++at;
        plain.decimals = readDigits();
        if (plain.decimals == 0)
            return std::nullopt;
    }
    if (at != end || wholeDigits + plain.decimals > kMaxPlainDigits)
        return std::nullopt;
    return plain;
}

// The value of a plain decimal text is its digits over a power of ten; both are exact in
// Extended, so the one correctly rounded division gives the Extended nearest to the text,
// as the general parser does.
std::optional<Extended> parsePlainDecimal(std::string_view text, char separator) {
    const auto plain = scanPlainDecimal(text, separator);
    if (!plain)
        return std::nullopt;
    const Extended value = static_cast<Extended>(plain->digits) / kPowersOfTen[plain->decimals];
    return plain->negative ? -value : value;
}

}  // namespace

std::string GeneralNumberText(Extended value, const Locale& locale) {
    if (value == 0 || !std::isfinite(value)) {
        if (std::isnan(value))
            return "NAN";
        if (std::isinf(value))
            return value > 0 ? "INF" : "-INF";
        return "0";
    }
    const DecimalDigits d = roundToSignificantDigits(value);
    std::string text = d.negative ? "-" : "";
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent >= -5 && d.exponent < kSignificantDigits) {
        if (d.exponent >= 0) {
            const int wholeDigits = d.exponent + 1;
            if (count <= wholeDigits) {
                text += d.digits;
                text.append(static_cast<std::size_t>(wholeDigits - count), '0');
            } else {
                text += d.digits.substr(0, static_cast<std::size_t>(wholeDigits));
                text += locale.decimalSeparator;
                text += d.digits.substr(static_cast<std::size_t>(wholeDigits));
            }
        } else {
            text += '0';
            text += locale.decimalSeparator;
            text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
            text += d.digits;
        }
        return text;
    }
    text += d.digits.substr(0, 1);
    if (count > 1) {
        text += locale.decimalSeparator;
        text += d.digits.substr(1);
    }
    text += 'E';
    text += std::to_string(d.exponent);
    return text;
}

std::optional<Extended> TryParseNumber(std::string_view text, const Locale& locale) {
    if (auto value = parsePlainDecimal(text, locale.decimalSeparator))
        return value;
    return TryParseNumberGeneral(text, locale);
}

std::optional<Extended> TryParseNumberGeneral(std::string_view text, const Locale& locale) {
    text = trimBlanks(text);
    std::string canonical;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            canonical += '-';
        ++i;
    }
    bool anyDigit = false;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            canonical += c;
            anyDigit = true;
        } else if (c == locale.decimalSeparator && !seenSeparator) {
            canonical += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        canonical += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            canonical += text[i++];
        bool exponentDigit = false;
        for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
            canonical += text[i];
            exponentDigit = true;
        }
        if (!exponentDigit)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    if (canonical.front() == '.' || (canonical.front() == '-' && canonical[1] == '.')) {
        canonical.insert(canonical.front() == '-' ? 1 : 0, "0");
    }
    Extended value = 0;
    const auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (error != std::errc() || end != canonical.data() + canonical.size())
        return std::nullopt;
    return value;
}

std::optional<ScaledAmount> ParseExactAmount(std::string_view text, const Locale& locale) {
    return ParseExactAmount(text, locale.decimalSeparator);
}

std::optional<ScaledAmount> ParseExactAmount(std::string_view text, char separator) {
    const auto plain = scanPlainDecimal(text, separator);
    constexpr int kScaleDigits = 4;
    if (!plain || plain->decimals > kScaleDigits)
        return std::nullopt;
    std::uint64_t scaled = plain->digits;
    for (int d = plain->decimals; d < kScaleDigits; ++d) {
        if (scaled >= kExactAmountLimit)
            return std::nullopt;
        scaled *= 10;
    }
    if (scaled >= kExactAmountLimit)
        return std::nullopt;
    const auto amount = static_cast<ScaledAmount>(scaled);
    return plain->negative ? -amount : amount;
}

ScaledAmount ParseAmount(std::string_view text, const Locale& locale) {
    if (auto amount = ParseExactAmount(text, locale))
        return *amount;
    return ToScaled(ParseNumber(text, locale));
}

Extended WrittenAmountValue(ScaledAmount amount, const Locale& locale) {
    if (FormatsExactly(amount))
        return ToUnits(amount);
    return ParseNumber(FormatMoney(amount, locale), locale);
}

Extended ParseNumber(std::string_view text, const Locale& locale) {
    if (auto value = TryParseNumber(text, locale))
        return *value;
    throw ConversionError(NotANumberText(text));
}

std::optional<std::int32_t> TryParseInteger(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::int32_t ParseInteger(std::string_view text) {
    if (auto value = TryParseInteger(text))
        return *value;
    throw ConversionError(NotAWholeNumberText(text));
}

}  // namespace loan
