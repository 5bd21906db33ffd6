#include "text/catalogue.h"

#include <algorithm>
#include <atomic>
#include <tuple>

#include "text/catalogue_data.h"

namespace zorvan {

namespace {

// The current language's table; null for the source language. Set at start-up, read by the one
// thread that makes texts; atomic so that a test's change is seen whole.
std::atomic<const catalogue::Language*> g_language{nullptr};

const catalogue::Language* findLanguage(std::string_view code) {
    for (std::size_t i = 0; i < catalogue::LANGUAGE_COUNT; ++i)
        if (catalogue::LANGUAGES[i].code == code) return &catalogue::LANGUAGES[i];
    return nullptr;
}

const catalogue::Entry* findEntry(const catalogue::Language* lang, std::string_view context,
                                  std::string_view id) {
    if (!lang) return nullptr;
    const catalogue::Entry* end = lang->entries + lang->size;
    const auto key = std::tie(context, id);
    const catalogue::Entry* at = std::lower_bound(
        lang->entries, end, key,
        [](const catalogue::Entry& e, const auto& k) { return std::tie(e.context, e.id) < k; });
    if (at == end || at->context != context || at->id != id) return nullptr;
    return at;
}

std::string_view lookUp(std::string_view context, std::string_view id) {
    const catalogue::Language* lang = g_language.load(std::memory_order_relaxed);
    if (!lang) return id;
    if (const catalogue::Entry* e = findEntry(lang, context, id)) return e->text;
    if (lang->code != FALLBACK_LANGUAGE)
        if (const catalogue::Entry* e = findEntry(findLanguage(FALLBACK_LANGUAGE), context, id))
            return e->text;
    return id;
}

}  // namespace

std::vector<std::string_view> languages() {
    std::vector<std::string_view> codes{SOURCE_LANGUAGE};
    for (std::size_t i = 0; i < catalogue::LANGUAGE_COUNT; ++i)
        codes.push_back(catalogue::LANGUAGES[i].code);
    return codes;
}

bool setLanguage(std::string_view code) {
    if (code == SOURCE_LANGUAGE) {
        g_language.store(nullptr, std::memory_order_relaxed);
        return true;
    }
    const catalogue::Language* lang = findLanguage(code);
    if (!lang) return false;
    g_language.store(lang, std::memory_order_relaxed);
    return true;
}

std::string_view language() {
    const catalogue::Language* lang = g_language.load(std::memory_order_relaxed);
    return lang ? lang->code : SOURCE_LANGUAGE;
}

bool speaksSource() {
    return g_language.load(std::memory_order_relaxed) == nullptr;
}

std::string_view tr(std::string_view id) {
    return lookUp({}, id);
}

std::string_view trc(std::string_view context, std::string_view id) {
    return lookUp(context, id);
}

std::string_view tr(const Msg& text) {
    return lookUp(text.context ? std::string_view(text.context) : std::string_view(), text.id);
}

std::string format(std::string_view pattern,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    std::string out;
    out.reserve(pattern.size() + 16);
    std::size_t i = 0;
    while (i < pattern.size()) {
        const std::size_t open = pattern.find('{', i);
        if (open == std::string_view::npos) break;
        const std::size_t close = pattern.find('}', open + 1);
        if (close == std::string_view::npos) break;
        out.append(pattern.substr(i, open - i));
        const std::string_view name = pattern.substr(open + 1, close - open - 1);
        const auto* value = std::find_if(values.begin(), values.end(),
                                         [name](const auto& v) { return v.first == name; });
        if (value != values.end()) {
            out.append(value->second);
            i = close + 1;
        } else {
            out.push_back('{');
            i = open + 1;
        }
    }
    out.append(pattern.substr(i));
    return out;
}

}  // namespace zorvan
