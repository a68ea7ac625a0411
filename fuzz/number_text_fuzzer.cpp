// The number, whole-number, money and date texts: parsing never crashes, and what is
// written from a parsed value reads back as the same value.

#include <cmath>

#include "fuzz_support.h"
#include "loan/date.h"
#include "text/errors.h"
#include "loan/money.h"
#include "loan/number_text.h"
#include "text/text.h"

namespace {

void numberRoundTrip(std::string_view text, const loan::Locale& locale) {
    const auto value = loan::TryParseNumber(text, locale);
    if (!value || !std::isfinite(static_cast<double>(*value)))
        return;
    // The general text keeps 15 digits: writing what it reads gives the same text.
    const std::string written = loan::GeneralNumberText(*value, locale);
    const auto reread = loan::TryParseNumber(written, locale);
    FUZZ_CHECK(reread);
    FUZZ_CHECK(loan::GeneralNumberText(*reread, locale) == written);

    // Money text keeps 15 significant digits: below 10^11 units every ten-thousandth is
    // written, and reads back exactly.
    loan::ScaledAmount amount = 0;
    try {
        amount = loan::ToScaled(*value);
    } catch (const loan::AmountOverflow&) {
        return;
    }
    if (amount > -1'000'000'000'000'000 && amount < 1'000'000'000'000'000)
        FUZZ_CHECK(loan::ParseAmount(loan::FormatMoney(amount, locale), locale) == amount);
}

void integerRoundTrip(std::string_view text) {
    if (const auto value = loan::TryParseInteger(text))
        FUZZ_CHECK(loan::ParseInteger(std::to_string(*value)) == *value);
}

void dateRoundTrip(std::string_view text) {
    if (const auto date = loan::TryParseShortDate(text)) {
        const auto reread = loan::TryParseShortDate(loan::FormatShortDate(*date));
        FUZZ_CHECK(reread);
        FUZZ_CHECK(*reread == *date);
    }
}

// A conversion error quotes a bounded excerpt, whatever the text.
void boundedMessage(std::string_view text, const loan::Locale& locale) {
    try {
        loan::ParseNumber(text, locale);
        loan::ParseShortDate(text);
    } catch (const loan::ConversionError& error) {
        FUZZ_CHECK(std::string_view(error.what()).size() < 400);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzzing::AsText(data, size);
    for (char separator : {',', '.'}) {
        const loan::Locale locale = loan::Locale::withSeparator(separator);
        numberRoundTrip(text, locale);
        numberRoundTrip(loan::NormalizeDecimalSeparator(std::string(text), locale), locale);
        boundedMessage(text, locale);
    }
    integerRoundTrip(text);
    dateRoundTrip(text);
    return 0;
}
