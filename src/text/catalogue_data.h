// The translation tables, generated at build time from po/*.po (tools/make_catalogue.py) and
// compiled into the core. Each language's entries are sorted by context, then by text, byte by
// byte, so that a text is found by binary search.
#pragma once

#include <cstddef>
#include <string_view>

namespace zorvan::catalogue {

struct Entry {
    std::string_view context;  // empty for a text without one
    std::string_view id;       // the game's Japanese text
    std::string_view text;     // its translation
};

struct Language {
    std::string_view code;  // "en", ...
    const Entry* entries;
    std::size_t size;
};

// Every language with a catalogue, sorted by code.
extern const Language LANGUAGES[];
extern const std::size_t LANGUAGE_COUNT;

}  // namespace zorvan::catalogue
