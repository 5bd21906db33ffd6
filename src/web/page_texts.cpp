#include "web/page_texts.h"

#include <cstdio>

#include "text/catalogue.h"
#include "ui/menu_tree.h"

namespace zorvan::web {

// Each language's name in that language itself (language_names.cpp): the same in every language.
std::string_view languageName(std::string_view code);

namespace {

struct PageText {
    const char* key;
    Msg text;
};

// The page's own words. The record panel's labels and button are the window's.
constexpr PageText kTexts[] = {
    {"ok", NC_("button", "OK")},
    {"yes", NC_("button", "はい")},
    {"no", NC_("button", "いいえ")},
    {"pieceChoice", NC_("piece choice", "ZORVAN")},
    {"gameName", {nullptr, N_("対 局 名：")}},
    {"sente", {nullptr, N_("先    手 ：")}},
    {"gote", {nullptr, N_("後    手 ：")}},
    {"fileName", {nullptr, N_("ﾌｧｲﾙ名 ：")}},
    {"return", {nullptr, N_("RETURN")}},
    // TRANSLATORS: the record panel's only place: the records kept in this browser.
    {"browserPlace", {nullptr, N_("このブラウザ")}},
    // TRANSLATORS: a button of the record panel that opens a record file from the computer.
    {"openFile", {nullptr, N_("ファイルを開く…")}},
    {"noRecords", {nullptr, N_("(棋譜はまだありません)")}},
    // TRANSLATORS: shown where a touch screen is used: there is no right button to promote.
    {"longPress", {nullptr, N_("タッチ画面では長押しが右クリックです（成り）")}},
    {"ended", {nullptr, N_("ゲームは終わりました")}},
    {"restart", {nullptr, N_("もう一度始める")}},
    {"language", {nullptr, N_("言語")}},
};

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string menuTreeJson() {
    std::string json = "[";
    for (const MenuEntry& e : menuTree()) {
        if (json.size() > 1) json += ',';
        json += "{\"name\":" + jsonString(e.name) + ",\"caption\":" + jsonString(tr(e.caption)) +
                ",\"parent\":" + (e.parent ? jsonString(e.parent) : std::string("null")) +
                ",\"checkable\":" + (e.checkable ? "true" : "false") + "}";
    }
    return json + "]";
}

std::string pageTextsJson() {
    std::string json = "{";
    for (const PageText& t : kTexts) {
        if (json.size() > 1) json += ',';
        json += jsonString(t.key) + ":" + jsonString(tr(t.text));
    }
    return json + "}";
}

std::string languagesJson() {
    std::string json = "[";
    for (const std::string_view code : languages()) {
        if (json.size() > 1) json += ',';
        json += "{\"code\":" + jsonString(code) + ",\"name\":" + jsonString(languageName(code)) +
                "}";
    }
    return json + "]";
}

}  // namespace zorvan::web
