// The sounds opened after the window's first picture. Until the real sounds are open, what the
// game asks of them is remembered as far as it outlasts the moment (which sounds should be
// looping) and handed on when they open; short sounds cannot be asked for before that, because
// the game opens the sounds before it handles any player's action.
#pragma once

#include <array>

#include "ui/sound_port.h"

namespace zorvan {

class DeferredSound final : public SoundPort {
public:
    explicit DeferredSound(SoundPort& real) : m_real(real) {}

    // Opens the real sounds (once; never after close), then starts the sounds asked to loop.
    void start(const std::function<void(std::string_view)>& warn) override;
    void play(SoundId id) override;
    void playLooping(SoundId id) override;
    void stop(SoundId id) override;
    void close() override;

    bool opened() const { return m_opened; }
    // Opened, or closed before it was opened: nothing is left to open.
    bool settled() const { return m_opened || m_closed; }

private:
    SoundPort& m_real;
    bool m_opened = false;
    bool m_closed = false;
    std::array<bool, 6> m_looping{};
};

}  // namespace zorvan
