#include "play/deferred_sound.h"

namespace zorvan {

void DeferredSound::start(const std::function<void(std::string_view)>& warn) {
    if (settled()) return;
    // Opened from here on: a warning box shown while the sounds open runs events of its own,
    // and none of them may open the sounds again.
    m_opened = true;
    m_real.start(warn);
    for (size_t i = 0; i < m_looping.size(); ++i)
        if (m_looping[i]) m_real.playLooping(static_cast<SoundId>(i));
}

void DeferredSound::play(SoundId id) {
    if (m_opened) m_real.play(id);
}

void DeferredSound::playLooping(SoundId id) {
    if (m_opened)
        m_real.playLooping(id);
    else
        m_looping[static_cast<size_t>(id)] = true;
}

void DeferredSound::stop(SoundId id) {
    if (m_opened)
        m_real.stop(id);
    else
        m_looping[static_cast<size_t>(id)] = false;
}

void DeferredSound::close() {
    // Releasing sounds that were never opened is the real port's to ignore.
    m_real.close();
    m_opened = false;
    m_closed = true;
    m_looping = {};
}

}  // namespace zorvan
