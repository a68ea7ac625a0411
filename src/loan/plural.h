#pragma once

// Russian words after a count: "1 месяц", "2 месяца", "5 месяцев", "21 месяц".

#include <string>

namespace loan {

// The form of a noun after `count`: `one` after 1, 21, 31, ... (but not 11); `few` after
// 2–4, 22–24, ... (but not 12–14); `many` after everything else, 0 included. The sign
// does not matter.
const char* PluralForm(long long count, const char* one, const char* few, const char* many);

// "месяц", "месяца" or "месяцев", as it follows `count`.
const char* MonthsWord(long long count);

// The word for a count written as text (the term as it stands in its field, "007"
// included): "месяцев" when the text is no whole number.
const char* MonthsWordAfter(const std::string& countText);

}  // namespace loan
