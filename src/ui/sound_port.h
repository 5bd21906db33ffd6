// The sound port: the game's six sounds as play control uses them. The implementation over the
// sound library (opened at run time) lives with the library binding; tests use a recording fake;
// SilentSound is the no-op used when there is no sound at all.
#pragma once

#include <functional>
#include <string_view>

namespace zorvan {

// The six sounds, in the order they are loaded at start-up.
enum class SoundId {
    Other,      // "その他.wav": the about box
    Forbidden,  // "禁止.wav": a refused action, before its warning message
    ShogiMove,  // "駒打音.wav": a shogi piece placed
    ChessMove,  // "チェス打音.wav": a chess piece placed
    Vanish,     // "消滅.wav": a piece vanishing
    Bgm,        // "BGM.wav": background music, looping
};

class SoundPort {
public:
    virtual ~SoundPort() = default;

    // Opens the sound library and loads the six sounds. Every failure that must be reported
    // (no sound device, a file that cannot be read) is passed to `warn` as the text of a warning
    // box titled "ZORVAN.dll"; the game then runs without that sound.
    virtual void start(const std::function<void(std::string_view)>& warn) = 0;

    // Starts a sound and returns at once. A sound that is not loaded does nothing.
    virtual void play(SoundId id) = 0;
    // Starts a sound that repeats until stop.
    virtual void playLooping(SoundId id) = 0;
    // Stops a sound at once.
    virtual void stop(SoundId id) = 0;

    // Releases the six sounds in load order, then closes the library. Safe to call twice.
    virtual void close() = 0;
};

// No sound at all.
class SilentSound final : public SoundPort {
public:
    void start(const std::function<void(std::string_view)>&) override {}
    void play(SoundId) override {}
    void playLooping(SoundId) override {}
    void stop(SoundId) override {}
    void close() override {}
};

}  // namespace zorvan
