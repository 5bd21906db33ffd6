// Each language's name as its speakers write it, for the page's language switch: the same in
// every language, so that a player finds their own whatever the page speaks now.
#include <string_view>

namespace zorvan::web {

std::string_view languageName(std::string_view code) {
    if (code == "ja") return "日本語";
    if (code == "en") return "English";
    return code;
}

}  // namespace zorvan::web
