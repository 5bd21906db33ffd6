// Which language a player gets: from the locale variables of the window's environment, or from
// the preferred languages a browser reports.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvan {

// The language (a code of languages()) of the first wish the game can grant. A wish is a locale
// or language name as the environment or a browser writes it ("ja_JP.UTF-8", "en-US", "fr",
// "C"); its language is the part before "_", "-", "." or "@". "C" and "POSIX" ask for English.
// When no wish names a language the game speaks, English.
std::string_view chooseLanguage(const std::vector<std::string>& wishes);

// The wishes of an environment, in the order gettext reads them: every entry of LANGUAGE (a
// list separated by ":"), then the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty. `getenv` reads one variable (nullptr when it is unset).
std::vector<std::string> environmentWishes(const std::function<const char*(const char*)>& getenv);

}  // namespace zorvan
