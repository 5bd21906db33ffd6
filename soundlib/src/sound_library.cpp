// The game's sound library on SDL2_mixer.
//
// One device at a time; each buffer owns one mixer channel (its slot number), so a buffer plays
// one voice like a hardware sound buffer: playing it again restarts it, stopping it stops only
// it. Buffer handles carry a generation count beside the slot number, so a handle that was freed
// (or belonged to a closed device) never matches a later buffer in the same slot.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <vector>

#include "wav_image.h"
#include "zorvan_sound.h"

namespace {

using zorvan::sound::canonicalWav;
using zorvan::sound::parseWav;
using zorvan::sound::WavImage;

constexpr int kSlots = DS_MAX_BUFFERS;

// Buffer handles lie in [1, kDeviceBase); device handles in [kDeviceBase, INT32_MAX].
constexpr std::int32_t kDeviceBase = 0x40000000;
constexpr std::int32_t kGenerations = (kDeviceBase - 1) / kSlots;

// What the mixer is asked for; SDL_mixer converts every buffer to this format once.
constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
constexpr int kMixChunkFrames = 1024;

// A buffer: an effect is converted whole into the mixer's format and plays on its own channel;
// music is long (converted whole, 24 seconds are 4 MB), so it stays a WAV image and the mixer's
// music stream converts it while it plays.
struct Slot {
    Mix_Chunk* chunk = nullptr;                  // an effect
    Mix_Music* music = nullptr;                  // music
    std::vector<std::uint8_t>* image = nullptr;  // what `music` reads
    std::int32_t generation = 0;
    std::int32_t flags = 0;

    bool used() const { return chunk != nullptr || music != nullptr; }
};

Slot g_slots[kSlots];
int g_musicSlot = -1;           // the music buffer that plays (or played last)
std::int32_t g_device = 0;      // handle of the open device, 0 when closed
std::int32_t g_lastDevice = 0;  // counts the devices opened so far (wraps)
char g_error[512] = "";

void setError(const char* format, ...) __attribute__((format(printf, 1, 2)));

void setError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(g_error, sizeof g_error, format, args);
    va_end(args);
}

void clearError() {
    g_error[0] = '\0';
}

// The slot a buffer handle names, or -1 when the handle names no existing buffer.
int slotOf(std::int32_t buffer) {
    if (buffer <= 0 || buffer >= kDeviceBase) return -1;
    const int slot = (buffer - 1) % kSlots;
    const std::int32_t generation = (buffer - 1) / kSlots;
    const Slot& s = g_slots[slot];
    return s.used() && s.generation == generation ? slot : -1;
}

std::int32_t handleOf(int slot) {
    return g_slots[slot].generation * kSlots + slot + 1;
}

void halt(int slot) {
    if (g_slots[slot].music == nullptr) {
        Mix_HaltChannel(slot);
    } else if (g_musicSlot == slot) {
        Mix_HaltMusic();
        g_musicSlot = -1;
    }
}

void release(int slot) {
    Slot& s = g_slots[slot];
    halt(slot);
    if (s.chunk != nullptr) Mix_FreeChunk(s.chunk);
    if (s.music != nullptr) Mix_FreeMusic(s.music);
    delete s.image;
    s.chunk = nullptr;
    s.music = nullptr;
    s.image = nullptr;
    s.flags = 0;
    s.generation = (s.generation + 1) % kGenerations;
}

std::int32_t nextDeviceHandle() {
    g_lastDevice = g_lastDevice % (INT32_MAX - kDeviceBase) + 1;
    return kDeviceBase + g_lastDevice;
}

int freeSlot() {
    for (int i = 0; i < kSlots; ++i) {
        if (!g_slots[i].used()) return i;
    }
    return -1;
}

// The mixer converts a sound in a buffer sized for the largest step of its conversion (several
// times the converted sound: for music at half the mixer's rate, about three times); give the
// rest back. The sound itself stays where it is.
void keepOnlyTheSound(Mix_Chunk* chunk) {
    if (!chunk->allocated || chunk->alen == 0) return;
    if (void* shrunk = SDL_realloc(chunk->abuf, chunk->alen))
        chunk->abuf = static_cast<Uint8*>(shrunk);
}

std::int32_t start(std::int32_t buffer, int loops) {
    const int slot = slotOf(buffer);
    if (slot < 0) return 0;
    Slot& s = g_slots[slot];
    if (s.music == nullptr) return Mix_PlayChannel(slot, s.chunk, loops) >= 0 ? 1 : 0;
    // One music stream: starting music stops the music playing.
    g_musicSlot = slot;
    return Mix_PlayMusic(s.music, loops < 0 ? -1 : 1) == 0 ? 1 : 0;
}

// Music from a clean WAV file image, decoded while it plays from the library's own copy.
bool loadMusic(std::vector<std::uint8_t> file, Slot& slot) {
    auto* copy = new std::vector<std::uint8_t>(std::move(file));
    SDL_RWops* rw = SDL_RWFromConstMem(copy->data(), static_cast<int>(copy->size()));
    Mix_Music* music = rw != nullptr ? Mix_LoadMUS_RW(rw, 1) : nullptr;
    if (music == nullptr) {
        delete copy;
        return false;
    }
    slot.music = music;
    slot.image = copy;
    return true;
}

// Music read straight from its file while it plays, when the file is exactly the clean image
// the decoder would otherwise get: nothing of it stays in memory.
bool streamMusic(const char* path, Slot& slot) {
    SDL_RWops* rw = SDL_RWFromFile(path, "rb");
    Mix_Music* music = rw != nullptr ? Mix_LoadMUS_RW(rw, 1) : nullptr;
    if (music == nullptr) return false;
    slot.music = music;
    return true;
}

// A whole file of at most DS_MAX_WAV_BYTES into `bytes`.
bool readFile(const char* path, std::vector<std::uint8_t>& bytes) {
    std::FILE* f = path != nullptr ? std::fopen(path, "rb") : nullptr;
    if (f == nullptr) {
        setError("音声ファイルを開けません: %s", path != nullptr ? path : "(null)");
        return false;
    }
    std::uint8_t chunk[65536];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, f);
        if (bytes.size() + got > DS_MAX_WAV_BYTES) {
            setError("音声ファイルが大きすぎます: %s", path);
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            if (std::ferror(f)) {
                setError("音声ファイルを読めません: %s", path);
                ok = false;
            }
            break;
        }
    }
    std::fclose(f);
    return ok;
}

// Checks an image and makes a buffer of it. With `path` (the file the image was read from),
// music whose file is already the clean image is streamed from that file.
std::int32_t createBuffer(std::int32_t device, const std::uint8_t* wav, std::size_t length,
                          std::int32_t flags, const char* path) {
    if (device == 0 || device != g_device) {
        setError("サウンドデバイスが開かれていません。");
        return 0;
    }
    WavImage image;
    if (const char* why = parseWav(wav, length, image)) {
        setError("%s", why);
        return 0;
    }
    const int slot = freeSlot();
    if (slot < 0) {
        setError("サウンドバッファが足りません(最大%d個)。", kSlots);
        return 0;
    }
    try {
        // The decoder reads a clean copy and converts it into the mixer's own memory, so
        // nothing of the caller's image is kept.
        auto file = canonicalWav(image);
        if (flags == DS_FLAGS_MUSIC) {
            const bool clean = path != nullptr && file.size() == length &&
                               std::equal(file.begin(), file.end(), wav);
            if (!(clean ? streamMusic(path, g_slots[slot])
                        : loadMusic(std::move(file), g_slots[slot]))) {
                setError("音声データを変換できません: %s", Mix_GetError());
                return 0;
            }
        } else {
            SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
            Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
            if (chunk == nullptr) {
                setError("音声データを変換できません: %s", Mix_GetError());
                return 0;
            }
            keepOnlyTheSound(chunk);
            g_slots[slot].chunk = chunk;
        }
        g_slots[slot].flags = flags;
    } catch (const std::bad_alloc&) {
        setError("メモリが足りません。");
        return 0;
    }
    clearError();
    return handleOf(slot);
}

}  // namespace

extern "C" {

ZORVAN_SOUND_API std::int32_t dsInitialize(std::intptr_t /*window*/) {
    if (g_device != 0) {
        setError("サウンドデバイスは既に開かれています。");
        return 0;
    }
    // SIGINT and SIGTERM belong to the program: SDL would turn them into quit events that a
    // sound library never reads, and the program would not end.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        setError("サウンドデバイスを開けません: %s", SDL_GetError());
        return 0;
    }
    if (Mix_OpenAudio(kMixRate, AUDIO_S16SYS, kMixChannels, kMixChunkFrames) != 0) {
        setError("サウンドデバイスを開けません: %s", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    if (Mix_AllocateChannels(kSlots) != kSlots) {
        setError("サウンドデバイスを開けません: %s", Mix_GetError());
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_Volume(-1, MIX_MAX_VOLUME);
    g_device = nextDeviceHandle();
    clearError();
    return g_device;
}

ZORVAN_SOUND_API std::int32_t dsCreateDSB(std::int32_t device, const void* wav, std::size_t length,
                                          std::int32_t flags) {
    return createBuffer(device, static_cast<const std::uint8_t*>(wav), length, flags, nullptr);
}

ZORVAN_SOUND_API std::int32_t dsCreateDSBFromFile(std::int32_t device, const char* path,
                                                  std::int32_t flags) {
    if (device == 0 || device != g_device) {
        setError("サウンドデバイスが開かれていません。");
        return 0;
    }
    std::vector<std::uint8_t> bytes;
    try {
        if (!readFile(path, bytes)) return 0;
    } catch (const std::bad_alloc&) {
        setError("メモリが足りません。");
        return 0;
    }
    return createBuffer(device, bytes.data(), bytes.size(), flags, path);
}

ZORVAN_SOUND_API std::int32_t dsPlay(std::int32_t buffer) {
    return start(buffer, 0);
}

ZORVAN_SOUND_API std::int32_t dsPlayLooping(std::int32_t buffer) {
    return start(buffer, -1);
}

ZORVAN_SOUND_API std::int32_t dsStop(std::int32_t buffer) {
    const int slot = slotOf(buffer);
    if (slot < 0) return 0;
    halt(slot);
    return 1;
}

ZORVAN_SOUND_API std::int32_t dsFree(std::int32_t buffer) {
    const int slot = slotOf(buffer);
    if (slot < 0) return 0;
    release(slot);
    return 1;
}

ZORVAN_SOUND_API std::int32_t dsTerminate(std::int32_t device) {
    if (device == 0 || device != g_device) return 0;
    for (int i = 0; i < kSlots; ++i) {
        if (g_slots[i].used()) release(i);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(0) == 0) SDL_Quit();  // nothing else of SDL is in use: free its state too
    g_device = 0;
    return 1;
}

ZORVAN_SOUND_API const char* dsLastError(void) {
    return g_error;
}

}  // extern "C"
