#include "platform/files/user_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/catalogue.h"

namespace zorvan {

StartOptions parseStartOptions(const std::vector<std::string>& args) {
    StartOptions options;
    auto fail = [&options](std::string error) {
        if (options.error.empty()) options.error = std::move(error);
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--user-folder") {
            options.userFolder = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--lang" || arg.starts_with("--lang=")) {
            std::string code;
            if (arg != "--lang") {
                code = arg.substr(7);
            } else if (i + 1 < args.size()) {
                code = args[++i];
            }
            const std::vector<std::string_view> spoken = languages();
            if (std::find(spoken.begin(), spoken.end(), code) == spoken.end()) {
                std::string known;
                for (std::string_view c : spoken) known.append(" ").append(c);
                fail("--lang takes one of:" + known);
            } else {
                options.language = code;
            }
        } else {
            fail("unknown argument: " + arg);
        }
    }
    return options;
}

const char* startUsage() {
    static const std::string usage = [] {
        std::string codes;
        for (std::string_view code : languages())
            codes.append(codes.empty() ? "" : "|").append(code);
        std::string text = "usage: zorvan [--user-folder] [--lang " + codes + "]\n";
        text +=
            "  --user-folder  keep the settings (ZORVAN.ini) and the records in\n"
            "                 $XDG_DATA_HOME/zorvan (default ~/.local/share/zorvan), created\n"
            "                 on first start, instead of the folder the game is started in\n";
        text += "  --lang " + codes + "\n";
        text +=
            "                 play in Japanese (the game's own texts) or another language;\n"
            "                 without it the game follows LANGUAGE, LC_ALL, LC_MESSAGES and\n"
            "                 LANG: Japanese where they say ja, a language the game speaks\n"
            "                 where they name one, English everywhere else\n";
        return text;
    }();
    return usage.c_str();
}

std::filesystem::path userFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && *xdgDataHome == '/') return std::filesystem::path(xdgDataHome) / "zorvan";
    if (home && *home == '/') return std::filesystem::path(home) / ".local/share/zorvan";
    return {};
}

std::string enterFolder(const std::filesystem::path& folder) {
    if (folder.empty() || !folder.is_absolute())
        return "no folder for the game's files: set HOME or XDG_DATA_HOME";
    // Missing folders are made one by one, each readable by the user alone, as the XDG base
    // directory rules ask; folders that exist are left as they are.
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return "cannot create " + partial.string() + ": " + std::strerror(errno);
    }
    if (chdir(folder.c_str()) != 0)
        return "cannot open " + folder.string() + ": " + std::strerror(errno);
    return {};
}

}  // namespace zorvan
