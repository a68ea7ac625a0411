#include "text/locale.h"

#include <clocale>
#include <string>

namespace loan {

char systemDecimalSeparator() {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        if (conventions && conventions->decimal_point && conventions->decimal_point[0] != '\0' &&
            conventions->decimal_point[1] == '\0') {
            separator = conventions->decimal_point[0];
        }
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    return separator;
}

Locale systemLocale() {
    return Locale::withSeparator(systemDecimalSeparator());
}

}  // namespace loan
