#include "platform/files/mapped_pages.h"

#include <cctype>
#include <cstdio>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace zorvan {

namespace {

bool endsWithNoCase(std::string_view s, std::string_view tail) {
    if (s.size() < tail.size()) return false;
    s.remove_prefix(s.size() - tail.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != tail[i]) return false;
    return true;
}

}  // namespace

bool isFontFile(std::string_view path) {
    for (std::string_view ext : {".ttf", ".ttc", ".otf", ".otc"})
        if (endsWithNoCase(path, ext)) return true;
    return false;
}

std::size_t releaseMappedFilePages(const std::function<bool(std::string_view path)>& wanted) {
    std::size_t released = 0;
#ifdef __linux__
    std::FILE* maps = std::fopen("/proc/self/maps", "re");
    if (!maps) return 0;
    // "start-end perms offset dev inode   path"; the path is the rest of the line.
    char line[4096 + 128];
    while (std::fgets(line, sizeof line, maps)) {
        std::string_view text(line);
        if (!text.empty() && text.back() != '\n') {
            // A path too long for the buffer: skip the rest of that line.
            int c;
            while ((c = std::fgetc(maps)) != EOF && c != '\n') {
            }
            continue;
        }
        text.remove_suffix(1);
        // A file's path is absolute, and nothing before it holds a slash. The path is looked at
        // first: most lines are not wanted, and only a wanted one is read further.
        const std::size_t slash = text.find('/');
        if (slash == std::string_view::npos) continue;
        const std::string_view path = text.substr(slash);
        if (path.ends_with(" (deleted)") || !wanted(path)) continue;
        unsigned long start = 0, end = 0;
        char perms[5] = {};
        // Only a readable mapping that can never have been written: a private copy made by a
        // write would be lost, not read again.
        if (std::sscanf(line, "%lx-%lx %4s", &start, &end, perms) != 3 || perms[0] != 'r' ||
            perms[1] != '-' || end <= start)
            continue;
        if (madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED) == 0)
            released += end - start;
    }
    std::fclose(maps);
#else
    (void)wanted;
#endif
    return released;
}

std::size_t releaseFontPages() {
    return releaseMappedFilePages(isFontFile);
}

}  // namespace zorvan
