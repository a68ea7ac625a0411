#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/locale.h"
#include "loan/money.h"

namespace loan {

// The shortest text of the value with at most 15 significant digits, in fixed notation
// from 0.00001 to below 10^15 (scientific outside), the locale's separator, "0" for zero.
std::string GeneralNumberText(Extended value, const Locale& locale);

// The locale's number parser: blanks around, an optional sign, digits with the locale's
// separator and an optional exponent. Empty when the text is not such a number.
std::optional<Extended> TryParseNumber(std::string_view text, const Locale& locale);
// The general parser behind TryParseNumber: the reference its fast path for plain decimal
// texts (the program's own) matches exactly, and the routine for every other text.
std::optional<Extended> TryParseNumberGeneral(std::string_view text, const Locale& locale);
// The same, throwing ConversionError («"x" не является числом.»).
Extended ParseNumber(std::string_view text, const Locale& locale);

// A whole number that fits in 32 bits: blanks around and an optional sign allowed.
std::optional<std::int32_t> TryParseInteger(std::string_view text);
// The same, throwing ConversionError («"x" не является целым числом.»).
std::int32_t ParseInteger(std::string_view text);

// The number FormatMoney's text of the amount reads back as, without writing and reading it:
// below 10^11 units the amount's own value (the text holds every digit).
Extended WrittenAmountValue(ScaledAmount amount, const Locale& locale);

// Cell text to ScaledAmount: parsed as a number, then scaled and rounded.
ScaledAmount ParseAmount(std::string_view text, const Locale& locale);

// A plain decimal text (see TryParseNumber) of at most four decimals and below 10^11 units,
// as the program writes amounts, read straight as a ScaledAmount. Its value times 10000 is a
// whole number below 10^15, and the number parser's value of such a text, scaled and
// rounded, is exactly that number, also when added to any sum (see AddCellAmount). Empty
// for any other text.
std::optional<ScaledAmount> ParseExactAmount(std::string_view text, const Locale& locale);
// The same with the given character as the separator.
std::optional<ScaledAmount> ParseExactAmount(std::string_view text, char separator);

}  // namespace loan
