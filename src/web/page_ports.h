// The game's ports in the page: the host (boxes, dialogs, clock, record panel, the stronger
// computer in a Web Worker), the board's canvas and the sounds, each handing its calls to the
// page's scripts (page_bridge.h).
//
// The boxes and dialogs block the game as they do in the window: the module is suspended
// (Asyncify) until the page answers, and the page queues every other event meanwhile.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "play/host.h"
#include "ui/canvas.h"
#include "ui/sound_port.h"

namespace zorvan::web {

// The size of the table LEVEL5 and the hint keep from one search to the next in the page's
// worker: 2^20 entries, 16 MB (the window keeps 64 MB), so that the page stays small.
constexpr int PAGE_KEPT_TABLE_BITS = 20;

class PageHost final : public Host {
public:
    void message(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view title) override;
    int choosePiece(PieceSet shown, DialogPlace place) override;
    void showPieceChoice(PieceSet shown, PieceSet pressed, int kind, DialogPlace place) override;
    void wait(double seconds) override;
    double now() override;
    void setTimer(bool enabled) override;
    void quit() override;
    void setFileListsVisible(bool drive, bool directory, bool file) override;
    void setRecordInputVisible(bool visible) override;
    RecordPanel recordPanel() override;
    void refreshFileList() override;
    void checksChanged() override;

    // The search goes to the page's worker as a request; its answer comes back through
    // searchDone. A search stopped is ended in the worker at once and its answer never comes.
    void searchInBackground(std::shared_ptr<SearchJob> job, SearchDone done) override;
    void stopSearch() override;

    // The worker's answer to search `id` (search::encodeResult's text, readyAt the time of day it
    // arrived). An answer to a search no longer wanted is dropped; an empty or malformed answer
    // (the worker failed) is made here by searching the same position within the same limits.
    void searchDone(int id, std::string_view answer, double readyAt);

    // The check marks' state as the page's menu shows it (a JSON object of control names).
    static std::string checksJson(const OptionChecks& c);

    // Tells the host which game's marks checksChanged reports.
    void setChecks(const OptionChecks* checks) { m_checks = checks; }

private:
    struct Pending {
        int id = 0;
        std::shared_ptr<SearchJob> job;
        SearchDone done;
    };
    std::optional<Pending> m_pending;
    int m_lastId = 0;
    const OptionChecks* m_checks = nullptr;
};

class PageCanvas final : public Canvas {
public:
    void picture(int picture, int shade, double c, double r) override;
    void outline(int colour, double c, double r) override;
    void text(double c, double r, std::string_view text, int colour, int size) override;
    void refresh() override;
};

// The six sounds through Web Audio: the page loads a sound when it is first wanted (the music
// only once BGM is on) and plays nothing until the player's first action allows it.
class PageSound final : public SoundPort {
public:
    void start(const std::function<void(std::string_view)>& warn) override;
    void play(SoundId id) override;
    void playLooping(SoundId id) override;
    void stop(SoundId id) override;
    void close() override;

private:
    bool m_open = false;
};

}  // namespace zorvan::web
