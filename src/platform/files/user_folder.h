// The installed game's folder of its own for "ZORVAN.ini" and its records, chosen with the
// program's --user-folder option (the desktop entry uses it). Without the option the game keeps
// its files in the folder it was started in.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zorvan {

// What the program's own command-line arguments ask for (Qt takes its own options first).
struct StartOptions {
    bool userFolder = false;  // --user-folder
    bool help = false;        // --help or -h
    std::string language;     // --lang CODE (or --lang=CODE): a language the game speaks
    std::string error;        // the first argument the program does not know
};

// Reads every argument: --help is seen even after arguments meant for Qt.
StartOptions parseStartOptions(const std::vector<std::string>& args);

// The usage text for --help and for an unknown argument.
const char* startUsage();

// $XDG_DATA_HOME/zorvan, or $HOME/.local/share/zorvan when XDG_DATA_HOME is unset, empty or not
// an absolute path (a relative one is to be ignored). Empty when neither gives an absolute path.
// The arguments are the two variables' values (nullptr when unset).
std::filesystem::path userFolder(const char* xdgDataHome, const char* home);

// Creates `folder` when it is missing (with any missing parents, each private to the user) and
// makes it the current folder. Returns an empty string on success, else what failed.
std::string enterFolder(const std::filesystem::path& folder);

}  // namespace zorvan
