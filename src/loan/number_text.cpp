#include "loan/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "loan/errors.h"

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

Extended ParseNumber(std::string_view text, const Locale& locale) {
    if (auto value = TryParseNumber(text, locale))
        return *value;
    throw ConversionError("'" + Excerpt(text) + "' is not a valid floating point value");
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
    throw ConversionError("'" + Excerpt(text) + "' is not a valid integer value");
}

}  // namespace loan
