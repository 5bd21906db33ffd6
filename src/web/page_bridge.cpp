// The page's scripts as the module calls them (see page_bridge.h): each function hands its
// arguments to Module.page, the page's bridge object (app/web/game.js).
#include "web/page_bridge.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

// clang-format off
EM_ASYNC_JS(void, async_page_message, (const char* text, const char* title, int icon), {
    await Module.page.message(UTF8ToString(text), UTF8ToString(title), icon);
});

EM_ASYNC_JS(int, async_page_ask, (const char* text, const char* title), {
    return (await Module.page.ask(UTF8ToString(text), UTF8ToString(title))) ? 1 : 0;
});

EM_ASYNC_JS(int, async_page_choose_piece, (int set, int left, int top), {
    return await Module.page.choosePiece(set, left, top);
});

EM_ASYNC_JS(void, async_page_show_piece_choice, (int shown, int pressed, int kind, int left, int top), {
    await Module.page.showPieceChoice(shown, pressed, kind, left, top);
});

EM_ASYNC_JS(void, async_page_wait, (double seconds), {
    await Module.page.wait(seconds);
});

// clang-format on

// The waiting calls are imports of this file alone, so the binding calls them through these.
void page_message(const char* text, const char* title, int icon) {
    async_page_message(text, title, icon);
}
int page_ask(const char* text, const char* title) {
    return async_page_ask(text, title);
}
int page_choose_piece(int set, int left, int top) {
    return async_page_choose_piece(set, left, top);
}
void page_show_piece_choice(int shown, int pressed, int kind, int left, int top) {
    async_page_show_piece_choice(shown, pressed, kind, left, top);
}
void page_wait(double seconds) {
    async_page_wait(seconds);
}

// clang-format off
EM_JS(double, page_now, (), {
    return Module.page.now();
});

EM_JS(void, page_set_timer, (int enabled), {
    Module.page.setTimer(enabled !== 0);
});

EM_JS(void, page_quit, (), {
    Module.page.quit();
});

EM_JS(void, page_set_file_lists, (int drive, int directory, int file), {
    Module.page.setFileLists(drive !== 0, directory !== 0, file !== 0);
});

EM_JS(void, page_set_record_input, (int visible), {
    Module.page.setRecordInput(visible !== 0);
});

EM_JS(char*, page_record_field, (int field), {
    return allocateUTF8(String(Module.page.recordField(field)));
});

EM_JS(void, page_refresh_file_list, (), {
    Module.page.refreshFileList();
});

EM_JS(void, page_checks_changed, (const char* checks), {
    Module.page.checksChanged(JSON.parse(UTF8ToString(checks)));
});

EM_JS(void, page_search, (int id, const char* request), {
    Module.page.search(id, UTF8ToString(request));
});

EM_JS(void, page_stop_search, (), {
    Module.page.stopSearch();
});

EM_JS(void, page_picture, (int picture, int shade, double c, double r), {
    Module.page.picture(picture, shade, c, r);
});

EM_JS(void, page_outline, (int colour, double c, double r), {
    Module.page.outline(colour, c, r);
});

EM_JS(void, page_text, (double c, double r, const char* text, int colour, int size), {
    Module.page.text(c, r, UTF8ToString(text), colour, size);
});

EM_JS(void, page_refresh, (), {
    Module.page.refresh();
});

EM_JS(int, page_sound_start, (), {
    return Module.page.soundStart() ? 1 : 0;
});

EM_JS(void, page_sound_play, (int id, int looping), {
    Module.page.soundPlay(id, looping !== 0);
});

EM_JS(void, page_sound_stop, (int id), {
    Module.page.soundStop(id);
});

EM_JS(void, page_sound_close, (), {
    Module.page.soundClose();
});
// clang-format on
