// Pages of read-only file mappings given back once they have served.
//
// FreeType reads a font by mapping the whole file; each glyph it looks up maps not one page but
// the kernel's fault-around window (64 KB) of the file into the program. The CJK faces are tens
// of megabytes, so every new character on the screen kept about 64 KB more of font resident,
// although the glyph, once drawn, lives in Qt's glyph cache and the font's pages are not read
// again. Releasing them drops only the program's mapping of those pages: they stay in the page
// cache, and a later read maps them again at the cost of a minor fault.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace zorvan {

// For each mapping of the program that is backed by a file, readable and not writable, and whose
// path `wanted` accepts, lets the kernel drop the mapping's resident pages; read again, they hold
// what the file holds. `wanted` must accept only files that are mapped read-only from the start,
// as FreeType maps fonts: a private page once written and later made read-only would be lost.
// Returns the number of bytes of mappings so released; 0 where the system cannot tell (no /proc)
// or nothing matched.
std::size_t releaseMappedFilePages(const std::function<bool(std::string_view path)>& wanted);

// True for the font files FreeType maps (TrueType, OpenType and their collections).
bool isFontFile(std::string_view path);

// releaseMappedFilePages(isFontFile).
std::size_t releaseFontPages();

}  // namespace zorvan
