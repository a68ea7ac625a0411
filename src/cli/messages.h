#pragma once

// The command line's own texts in the user's language, through gettext. The English text is
// the key of each message, so that without a catalogue (or under an English locale) the
// program says exactly what it always said. Texts that come from the form are the
// program's own Russian and are never looked up.

#include <initializer_list>
#include <string>
#include <string_view>

namespace cli {

// The message catalogue's name: <locale folder>/LANG/LC_MESSAGES/ssudomer-cli.mo.
inline constexpr const char* kMessageDomain = "ssudomer-cli";

// Picks the language of the messages from the environment as gettext does (LANGUAGE, then
// LC_ALL, LC_MESSAGES, LANG) and finds the catalogue in `localeFolder`. Only LC_MESSAGES is
// set, so numbers are read and written as before. Called once, by main, before any message.
void UseUserLanguage(const std::string& localeFolder);

// Where an installed program's catalogues lie, seen from the program's folder:
// <prefix>/share/locale beside <prefix>/bin, whatever the prefix. The build tree keeps the
// same layout, so the program run from it speaks the same language.
std::string LocaleFolder(const std::string& programFolder);

// The English text in the user's language, in UTF-8.
const char* Tr(const char* english);

// The pattern with each "%s" replaced by the next value, "%N$s" by the N-th (so that a
// translation may put them in another order) and "%%" by "%".
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace cli
