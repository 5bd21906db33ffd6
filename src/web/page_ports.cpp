#include "web/page_ports.h"

#include <cstdlib>
#include <exception>
#include <string>

#include "search/request.h"
#include "text/catalogue.h"
#include "web/page_bridge.h"

namespace zorvan::web {

namespace {

std::string owned(std::string_view text) {
    return std::string(text);
}

std::string takeField(int field) {
    char* text = page_record_field(field);
    std::string value = text ? text : "";
    std::free(text);
    return value;
}

int setNumber(PieceSet set) {
    switch (set) {
        case PieceSet::White:
            return 1;
        case PieceSet::Black:
            return 2;
        case PieceSet::None:
            break;
    }
    return 0;
}

}  // namespace

void PageHost::message(std::string_view text, std::string_view title, MessageIcon icon) {
    page_message(owned(text).c_str(), owned(title).c_str(), static_cast<int>(icon));
}

bool PageHost::ask(std::string_view text, std::string_view title) {
    return page_ask(owned(text).c_str(), owned(title).c_str()) != 0;
}

int PageHost::choosePiece(PieceSet shown, DialogPlace place) {
    return page_choose_piece(setNumber(shown), place.left, place.top);
}

void PageHost::showPieceChoice(PieceSet shown, PieceSet pressed, int kind, DialogPlace place) {
    page_show_piece_choice(setNumber(shown), setNumber(pressed), kind, place.left, place.top);
}

void PageHost::wait(double seconds) {
    if (seconds > 0) page_wait(seconds);
}

double PageHost::now() {
    return page_now();
}

void PageHost::setTimer(bool enabled) {
    page_set_timer(enabled ? 1 : 0);
}

void PageHost::quit() {
    page_quit();
}

void PageHost::setFileListsVisible(bool drive, bool directory, bool file) {
    page_set_file_lists(drive, directory, file);
}

void PageHost::setRecordInputVisible(bool visible) {
    page_set_record_input(visible);
}

Host::RecordPanel PageHost::recordPanel() {
    RecordPanel p;
    p.folder = takeField(0);
    p.gameName = takeField(1);
    p.sente = takeField(2);
    p.gote = takeField(3);
    p.fileName = takeField(4);
    return p;
}

void PageHost::refreshFileList() {
    page_refresh_file_list();
}

void PageHost::checksChanged() {
    if (m_checks) page_checks_changed(checksJson(*m_checks).c_str());
}

std::string PageHost::checksJson(const OptionChecks& c) {
    std::string json = "{";
    for (const auto& [name, on] : checkMarks(c)) {
        if (json.size() > 1) json += ',';
        json += '"';
        json += name;
        json += on ? "\":true" : "\":false";
    }
    return json + "}";
}

void PageHost::searchInBackground(std::shared_ptr<SearchJob> job, SearchDone done) {
    stopSearch();  // one search at a time, as in the window
    search::Limits limits = job->limits;
    if (limits.keepTable) limits.keptTableBits = PAGE_KEPT_TABLE_BITS;
    const int id = ++m_lastId;
    const std::string request = search::encodeRequest(job->position, limits);
    m_pending = Pending{id, std::move(job), std::move(done)};
    page_search(id, request.c_str());
}

void PageHost::stopSearch() {
    if (!m_pending) return;
    m_pending.reset();
    page_stop_search();
}

void PageHost::searchDone(int id, std::string_view answer, double readyAt) {
    if (!m_pending || m_pending->id != id) return;  // stopped, or an older search's
    Pending p = std::move(*m_pending);
    m_pending.reset();
    search::Result result;
    if (!search::decodeResult(answer, result)) {
        // The worker could not answer (it failed to load or broke down): the page thinks itself,
        // for once while it waits, rather than let the computer resign.
        try {
            result = p.job->search(p.job->position, p.job->limits);
        } catch (const std::exception&) {
            result = search::Result{};
        }
        readyAt = now();
    }
    p.done(result, readyAt);
}

void PageCanvas::picture(int picture, int shade, double c, double r) {
    page_picture(picture, shade, c, r);
}

void PageCanvas::outline(int colour, double c, double r) {
    page_outline(colour, c, r);
}

void PageCanvas::text(double c, double r, std::string_view text, int colour, int size) {
    page_text(c, r, owned(text).c_str(), colour, size);
}

void PageCanvas::refresh() {
    page_refresh();
}

void PageSound::start(const std::function<void(std::string_view)>& warn) {
    m_open = page_sound_start() != 0;
    if (!m_open) warn(tr(N_("Direct Soundインターフェースが作成できません。")));
}

void PageSound::play(SoundId id) {
    if (m_open) page_sound_play(static_cast<int>(id), 0);
}

void PageSound::playLooping(SoundId id) {
    if (m_open) page_sound_play(static_cast<int>(id), 1);
}

void PageSound::stop(SoundId id) {
    if (m_open) page_sound_stop(static_cast<int>(id));
}

void PageSound::close() {
    if (!m_open) return;
    m_open = false;
    page_sound_close();
}

}  // namespace zorvan::web
