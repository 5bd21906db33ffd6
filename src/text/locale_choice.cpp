#include "text/locale_choice.h"

#include <algorithm>
#include <cctype>

#include "text/catalogue.h"

namespace zorvan {

std::string_view chooseLanguage(const std::vector<std::string>& wishes) {
    const std::vector<std::string_view> spoken = languages();
    for (const std::string& wish : wishes) {
        std::string code = wish.substr(0, wish.find_first_of("_-.@"));
        std::transform(code.begin(), code.end(), code.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (code == "c" || code == "posix") code = FALLBACK_LANGUAGE;
        const auto found = std::find(spoken.begin(), spoken.end(), code);
        if (found != spoken.end()) return *found;
    }
    return FALLBACK_LANGUAGE;
}

std::vector<std::string> environmentWishes(const std::function<const char*(const char*)>& getenv) {
    std::vector<std::string> wishes;
    if (const char* list = getenv("LANGUAGE")) {
        std::string_view rest(list);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            const std::string_view entry = rest.substr(0, colon);
            if (!entry.empty()) wishes.emplace_back(entry);
            if (colon == std::string_view::npos) break;
            rest.remove_prefix(colon + 1);
        }
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(name);
        if (value && *value) {
            wishes.emplace_back(value);
            break;
        }
    }
    return wishes;
}

}  // namespace zorvan
