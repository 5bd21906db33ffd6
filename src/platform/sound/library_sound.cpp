#include "platform/sound/library_sound.h"

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "text/catalogue.h"
#include "zorvan_sound.h"

// The installed library's private folder: its full path, and its path under the prefix.
#ifndef ZORVAN_INSTALL_LIBDIR
#define ZORVAN_INSTALL_LIBDIR "/usr/local/lib/zorvan"
#endif
#ifndef ZORVAN_INSTALL_LIBDIR_NAME
#define ZORVAN_INSTALL_LIBDIR_NAME "lib/zorvan"
#endif
#ifndef ZORVAN_INSTALL_DATADIR
#define ZORVAN_INSTALL_DATADIR "/usr/local/share/zorvan"
#endif

namespace zorvan {

struct LibrarySound::Api {
    int32_t (*initialize)(intptr_t) = nullptr;
    int32_t (*createDSB)(int32_t, const void*, size_t, int32_t) = nullptr;
    int32_t (*createDSBFromFile)(int32_t, const char*, int32_t) = nullptr;  // optional
    int32_t (*play)(int32_t) = nullptr;
    int32_t (*playLooping)(int32_t) = nullptr;
    int32_t (*stop)(int32_t) = nullptr;
    int32_t (*free)(int32_t) = nullptr;
    int32_t (*terminate)(int32_t) = nullptr;
    const char* (*lastError)() = nullptr;
};

namespace {

constexpr const char* kNoDevice = N_("Direct Soundインターフェースが作成できません。");

template <typename F>
bool bind(void* lib, const char* name, F& fn) {
    fn = reinterpret_cast<F>(dlsym(lib, name));
    return fn != nullptr;
}

}  // namespace

const char* LibrarySound::fileName(SoundId id) {
    switch (id) {
        case SoundId::Other:
            return fileText("その他.wav");
        case SoundId::Forbidden:
            return fileText("禁止.wav");
        case SoundId::ShogiMove:
            return fileText("駒打音.wav");
        case SoundId::ChessMove:
            return fileText("チェス打音.wav");
        case SoundId::Vanish:
            return fileText("消滅.wav");
        case SoundId::Bgm:
            return "BGM.wav";
    }
    return "";
}

LibrarySound::LibrarySound(std::vector<std::string> libraryPaths,
                           std::vector<std::string> soundFolders)
    : m_libraryPaths(std::move(libraryPaths)), m_soundFolders(std::move(soundFolders)) {}

LibrarySound::~LibrarySound() {
    close();
    delete m_api;
    // The library stays loaded (RTLD_NODELETE): unloading it would unload the audio system under
    // it.
}

void LibrarySound::start(const std::function<void(std::string_view)>& warn) {
    if (!m_lib) {
        for (const std::string& path : m_libraryPaths) {
            m_lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
            if (m_lib) break;
        }
        if (m_lib) {
            auto* api = new Api;
            const bool ok = bind(m_lib, "dsInitialize", api->initialize) &&
                            bind(m_lib, "dsCreateDSB", api->createDSB) &&
                            bind(m_lib, "dsPlay", api->play) &&
                            bind(m_lib, "dsPlayLooping", api->playLooping) &&
                            bind(m_lib, "dsStop", api->stop) && bind(m_lib, "dsFree", api->free) &&
                            bind(m_lib, "dsTerminate", api->terminate);
            bind(m_lib, "dsLastError", api->lastError);                // optional
            bind(m_lib, "dsCreateDSBFromFile", api->createDSBFromFile);  // optional
            if (ok) {
                m_api = api;
            } else {
                delete api;
                m_lib = nullptr;
            }
        }
    }
    // Without the library the game is silent, as with a sound device that cannot be opened.
    m_device = m_api ? m_api->initialize(0) : 0;
    if (m_device == 0) warn(tr(kNoDevice));
    const int32_t flags[6] = {DS_FLAGS_EFFECT, DS_FLAGS_EFFECT, DS_FLAGS_EFFECT,
                              DS_FLAGS_EFFECT, DS_FLAGS_EFFECT, DS_FLAGS_MUSIC};
    for (int i = 0; i < 6; ++i)
        m_buffers[i] = loadSound(fileName(static_cast<SoundId>(i)), flags[i], warn);
}

int32_t LibrarySound::loadSound(const std::string& file, int32_t flags,
                                const std::function<void(std::string_view)>& warn) {
    if (m_device == 0 || !m_api) return 0;
    std::filesystem::path found;
    for (const std::string& folder : m_soundFolders) {
        std::error_code ec;
        const auto candidate = std::filesystem::path(folder) / std::filesystem::u8path(file);
        if (std::filesystem::is_regular_file(candidate, ec)) {
            found = candidate;
            break;
        }
    }
    if (found.empty()) return 0;  // a missing sound is silent
    const auto made = [&](int32_t buffer) {
        if (buffer == 0) {
            const char* why = m_api->lastError ? m_api->lastError() : nullptr;
            warn(why && *why ? std::string(why) : file + ": not a sound file");
        }
        return buffer;
    };
    // A library that reads the file itself also plays the music straight from it.
    if (m_api->createDSBFromFile)
        return made(m_api->createDSBFromFile(m_device, found.c_str(), flags));
    std::ifstream in(found, std::ios::binary);
    std::error_code ec;
    const auto size = std::filesystem::file_size(found, ec);
    if (!in || ec || size > DS_MAX_WAV_BYTES) {
        warn(ec ? ec.message() : std::string("cannot read ") + file);
        return 0;
    }
    std::vector<char> image(static_cast<size_t>(size));
    in.read(image.data(), static_cast<std::streamsize>(image.size()));
    if (static_cast<size_t>(in.gcount()) != image.size()) {
        warn(std::string("cannot read ") + file);
        return 0;
    }
    return made(m_api->createDSB(m_device, image.data(), image.size(), flags));
}

void LibrarySound::play(SoundId id) {
    if (m_api) m_api->play(m_buffers[static_cast<int>(id)]);
}

void LibrarySound::playLooping(SoundId id) {
    if (m_api) m_api->playLooping(m_buffers[static_cast<int>(id)]);
}

void LibrarySound::stop(SoundId id) {
    if (m_api) m_api->stop(m_buffers[static_cast<int>(id)]);
}

void LibrarySound::close() {
    if (!m_api) return;
    for (int32_t& buffer : m_buffers) {
        m_api->free(buffer);
        buffer = 0;
    }
    if (m_device != 0) m_api->terminate(m_device);
    m_device = 0;
}

std::vector<std::string> defaultSoundLibraryPaths(const std::string& programDir) {
    return {programDir + "/" ZORVAN_SOUND_LIBRARY_NAME,
            // an installation moved to another prefix (lib/<multiarch>/zorvan on Debian)
            programDir + "/../" ZORVAN_INSTALL_LIBDIR_NAME "/" ZORVAN_SOUND_LIBRARY_NAME,
            programDir + "/../lib/zorvan/" ZORVAN_SOUND_LIBRARY_NAME,
            programDir + "/../soundlib/" ZORVAN_SOUND_LIBRARY_NAME,
            ZORVAN_INSTALL_LIBDIR "/" ZORVAN_SOUND_LIBRARY_NAME, ZORVAN_SOUND_LIBRARY_NAME};
}

std::vector<std::string> defaultSoundFolders(const std::string& programDir) {
    // "../run": the build folder's sounds, beside the folder the build puts the program in.
    return {".",
            programDir,
            programDir + "/run",
            programDir + "/../run",
            programDir + "/../share/zorvan/sounds",
            ZORVAN_INSTALL_DATADIR "/sounds"};
}

}  // namespace zorvan
