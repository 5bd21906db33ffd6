#include "platform/files/user_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorvan {

StartOptions parseStartOptions(const std::vector<std::string>& args) {
    StartOptions options;
    for (const std::string& arg : args) {
        if (arg == "--user-folder") {
            options.userFolder = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (options.error.empty()) {
            options.error = "unknown argument: " + arg;
        }
    }
    return options;
}

const char* startUsage() {
    return "usage: zorvan [--user-folder]\n"
           "  --user-folder  keep the settings (ZORVAN.ini) and the records in\n"
           "                 $XDG_DATA_HOME/zorvan (default ~/.local/share/zorvan), created\n"
           "                 on first start, instead of the folder the game is started in\n";
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
