// The game's sound library on SDL2_mixer.
//
// One device at a time; each buffer owns one mixer channel (its slot number), so a buffer plays
// one voice like a hardware sound buffer: playing it again restarts it, stopping it stops only
// it. Buffer handles carry a generation count beside the slot number, so a handle that was freed
// (or belonged to a closed device) never matches a later buffer in the same slot.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdarg>
#include <cstdio>
#include <new>

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

struct Slot {
    Mix_Chunk* chunk = nullptr;  // nullptr when the slot is free
    std::int32_t generation = 0;
    std::int32_t flags = 0;
};

Slot g_slots[kSlots];
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
    return s.chunk != nullptr && s.generation == generation ? slot : -1;
}

std::int32_t handleOf(int slot) {
    return g_slots[slot].generation * kSlots + slot + 1;
}

void release(int slot) {
    Slot& s = g_slots[slot];
    Mix_HaltChannel(slot);
    Mix_FreeChunk(s.chunk);
    s.chunk = nullptr;
    s.flags = 0;
    s.generation = (s.generation + 1) % kGenerations;
}

std::int32_t nextDeviceHandle() {
    g_lastDevice = g_lastDevice % (INT32_MAX - kDeviceBase) + 1;
    return kDeviceBase + g_lastDevice;
}

int freeSlot() {
    for (int i = 0; i < kSlots; ++i) {
        if (g_slots[i].chunk == nullptr) return i;
    }
    return -1;
}

std::int32_t start(std::int32_t buffer, int loops) {
    const int slot = slotOf(buffer);
    if (slot < 0) return 0;
    return Mix_PlayChannel(slot, g_slots[slot].chunk, loops) >= 0 ? 1 : 0;
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
    if (device == 0 || device != g_device) {
        setError("サウンドデバイスが開かれていません。");
        return 0;
    }
    WavImage image;
    if (const char* why = parseWav(static_cast<const std::uint8_t*>(wav), length, image)) {
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
        const auto file = canonicalWav(image);
        SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
        Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
        if (chunk == nullptr) {
            setError("音声データを変換できません: %s", Mix_GetError());
            return 0;
        }
        g_slots[slot].chunk = chunk;
        g_slots[slot].flags = flags;
    } catch (const std::bad_alloc&) {
        setError("メモリが足りません。");
        return 0;
    }
    clearError();
    return handleOf(slot);
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
    Mix_HaltChannel(slot);
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
        if (g_slots[i].chunk != nullptr) release(i);
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
