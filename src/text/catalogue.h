// The game's texts in the player's language.
//
// The game's own texts are Japanese, written in the code where they are used; they are the keys
// of the catalogue. The other languages live in po/<language>.po (gettext's format: msgid is the
// Japanese text exactly as in the code, msgstr its translation, msgctxt where one Japanese text
// needs two translations); the build turns every po file into tables compiled into the core, so
// every front end shows the same texts. The language is one setting for the whole program,
// Japanese until a front end chooses another at start-up.
//
// xgettext finds the texts by the names tr, trc, N_ and NC_ (see `make pot`).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorvan {

// A text kept in a table before it is shown: its context (nullptr for none) and the Japanese.
struct Msg {
    const char* context;
    const char* id;
};

// Marks a text for the catalogue where it is written into a table; tr() looks it up later.
constexpr const char* N_(const char* id) {
    return id;
}
constexpr Msg NC_(const char* context, const char* id) {
    return {context, id};
}

// Marks a Japanese literal that is no text for the player but part of a file's name or contents
// (the settings file, the record files, the sound files): it stays the same in every language.
constexpr const char* fileText(const char* text) {
    return text;
}

// The language of the game's own texts.
inline constexpr std::string_view SOURCE_LANGUAGE = "ja";
// The language of a player whose language the game does not speak.
inline constexpr std::string_view FALLBACK_LANGUAGE = "en";

// The languages the game speaks: the source language and one per catalogue ("en", ...).
std::vector<std::string_view> languages();

// Makes `code` ("ja", "en", ...) the language of every text from now on. Returns false, and
// changes nothing, for a language without a catalogue.
bool setLanguage(std::string_view code);

// The current language's code.
std::string_view language();

// True while the game speaks its own Japanese (every text as written in the code).
bool speaksSource();

// The text `id` (Japanese, as in the code) in the current language. A text the language's
// catalogue lacks is shown in English, and failing that as it is. The result refers to the
// catalogue or to `id`'s own characters, so `id` must outlive it (a literal always does).
std::string_view tr(std::string_view id);
// The same for a text with a context (one Japanese text with two meanings).
std::string_view trc(std::string_view context, std::string_view id);
std::string_view tr(const Msg& text);

// A composed text: `pattern` with each "{name}" replaced by the value given for that name.
// Unknown names and unmatched braces stay as they are written.
std::string format(std::string_view pattern,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> values);

// Sets the language for as long as it lives, then puts the previous one back (tests).
class LanguageScope {
public:
    explicit LanguageScope(std::string_view code) : m_previous(language()) { setLanguage(code); }
    ~LanguageScope() { setLanguage(m_previous); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    std::string m_previous;
};

}  // namespace zorvan
