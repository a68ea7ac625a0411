#pragma once

#include <array>
#include <string>

namespace loan {

// Everything a text conversion needs to know about the user's conventions.
// Month names and the short date format are fixed to the Russian ones; only the
// decimal separator follows the system.
struct Locale {
    char decimalSeparator = ',';
    std::array<std::string, 12> monthNames = {"Январь",   "Февраль", "Март",   "Апрель",
                                              "Май",      "Июнь",    "Июль",   "Август",
                                              "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};

    static Locale withSeparator(char separator) {
        Locale locale;
        locale.decimalSeparator = separator;
        return locale;
    }
};

// The separator of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG); "." when the
// environment names no locale installed on this machine.
char systemDecimalSeparator();

Locale systemLocale();

}  // namespace loan
