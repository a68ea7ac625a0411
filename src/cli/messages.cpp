#include "cli/messages.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <vector>

namespace cli {

namespace {

// The first of LC_ALL, LC_MESSAGES and LANG that is set: the locale whose messages the user
// asked for, whether or not it is generated on this machine.
std::string requestedMessageLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && value[0] != '\0')
            return value;
    }
    return "";
}

bool isPlainLocale(const std::string& name) {
    return name.empty() || name == "C" || name == "POSIX";
}

}  // namespace

void UseUserLanguage(const std::string& localeFolder) {
    if (!std::setlocale(LC_MESSAGES, "")) {
        // A locale that is not generated (LANG=ru_RU.UTF-8 on a machine with only C.UTF-8)
        // leaves the messages in "C", where gettext translates nothing. The language the
        // user named is still the one to speak: take messages from C.UTF-8 and name the
        // language to gettext the way a user may, by LANGUAGE, unless the user already did.
        const std::string requested = requestedMessageLocale();
        const char* languages = std::getenv("LANGUAGE");
        if (!isPlainLocale(requested) && std::setlocale(LC_MESSAGES, "C.UTF-8") &&
            (!languages || languages[0] == '\0')) {
            setenv("LANGUAGE", requested.c_str(), 1);
        }
    }
    bindtextdomain(kMessageDomain, localeFolder.c_str());
    // The catalogue is UTF-8 and so is the output, whatever LC_CTYPE says.
    bind_textdomain_codeset(kMessageDomain, "UTF-8");
}

std::string LocaleFolder(const std::string& programFolder) {
    return programFolder + "/" SSUDOMER_LOCALE_FROM_BIN;
}

const char* Tr(const char* english) {
    return dgettext(kMessageDomain, english);
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> values) {
    const std::vector<std::string_view> given(values);
    std::string text;
    std::size_t next = 0;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != '%' || at + 1 == pattern.size()) {
            text += pattern[at];
            continue;
        }
        std::size_t index = next;
        std::size_t end = at + 1;
        if (pattern[end] == '%') {
            text += '%';
            at = end;
            continue;
        }
        // "%N$s": the N-th value, counted from 1.
        std::size_t number = 0;
        while (end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9')
            number = number * 10 + static_cast<std::size_t>(pattern[end++] - '0');
        if (number > 0 && end < pattern.size() && pattern[end] == '$') {
            index = number - 1;
            ++end;
        } else {
            end = at + 1;
        }
        if (end < pattern.size() && pattern[end] == 's' && index < given.size()) {
            text += given[index];
            next = index + 1;
            at = end;
        } else {
            text += '%';  // no directive: the sign stands as written
        }
    }
    return text;
}

}  // namespace cli
