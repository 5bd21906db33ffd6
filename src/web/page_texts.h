// What the page shows besides the game's own drawing, in the current language: the menu tree
// with its captions, the page's own labels and buttons, and the languages to choose from. All as
// JSON for the page's scripts; every text comes from the game's catalogue.
#pragma once

#include <string>
#include <string_view>

namespace zorvan::web {

// A JSON string literal of `text` (UTF-8), quotes included.
std::string jsonString(std::string_view text);

// The menu tree: [{"name", "caption", "parent" (null at the menu bar), "checkable"}, ...], each
// parent before its children.
std::string menuTreeJson();

// The page's own texts by key: {"ok": "OK", "yes": ..., ...}.
std::string pageTextsJson();

// The languages the game speaks, each with its own name: [{"code": "ja", "name": "日本語"}, ...].
std::string languagesJson();

}  // namespace zorvan::web
