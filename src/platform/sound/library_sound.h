// The game's sounds over the sound library, which is opened at run time by name. Without the
// library, without a sound device or without a sound file the game simply plays silently.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/sound_port.h"

namespace zorvan {

class LibrarySound final : public SoundPort {
public:
    // `libraryPaths`: where to look for the library, in order (full file paths; a bare file name
    // lets the dynamic loader search). `soundFolders`: where to look for the six WAV files, in
    // order; the first folder holding a file wins.
    LibrarySound(std::vector<std::string> libraryPaths, std::vector<std::string> soundFolders);
    ~LibrarySound() override;
    LibrarySound(const LibrarySound&) = delete;
    LibrarySound& operator=(const LibrarySound&) = delete;

    void start(const std::function<void(std::string_view)>& warn) override;
    void play(SoundId id) override;
    void playLooping(SoundId id) override;
    void stop(SoundId id) override;
    void close() override;

    // For tests and diagnostics: whether the library was found, the device handle, a buffer.
    bool libraryLoaded() const { return m_lib != nullptr; }
    int32_t device() const { return m_device; }
    int32_t buffer(SoundId id) const { return m_buffers[static_cast<int>(id)]; }

    // The six file names, in load order.
    static const char* fileName(SoundId id);

private:
    struct Api;
    int32_t loadSound(const std::string& file, int32_t flags,
                      const std::function<void(std::string_view)>& warn);

    std::vector<std::string> m_libraryPaths;
    std::vector<std::string> m_soundFolders;
    void* m_lib = nullptr;
    Api* m_api = nullptr;
    int32_t m_device = 0;
    int32_t m_buffers[6] = {0, 0, 0, 0, 0, 0};
};

// Default places for the library and the sounds of a program started from `programPath`
// (the library next to the program, then the installed library folder; the sounds in the current
// folder first, then next to the program and in the installed data folder).
std::vector<std::string> defaultSoundLibraryPaths(const std::string& programDir);
std::vector<std::string> defaultSoundFolders(const std::string& programDir);

}  // namespace zorvan
