// A private scratch folder for harnesses that go through files (in memory where the system has
// /dev/shm), removed when the program ends.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace zorvan::fuzz {

inline const std::filesystem::path& scratchFolder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            std::error_code e;
            const std::filesystem::path shm("/dev/shm");
            const auto base = std::filesystem::is_directory(shm, e)
                                  ? shm
                                  : std::filesystem::temp_directory_path();
            path = base / ("zorvan-fuzz-" + std::to_string(::getpid()));
            std::filesystem::create_directories(path, e);
        }
        ~Folder() {
            std::error_code e;
            std::filesystem::remove_all(path, e);
        }
    };
    static const Folder folder;
    return folder.path;
}

}  // namespace zorvan::fuzz
