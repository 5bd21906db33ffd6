// The page's side of the module: what the C++ binding asks of the page's scripts (app/web). Each
// call goes to the object the page hands the module when it creates it (Module.page); the
// functions are defined with EM_JS in page_bridge.cpp.
//
// The four dialogs and the wait are asynchronous in the page: the module suspends (Asyncify)
// until the page answers, and the page calls nothing of the module meanwhile. Everything else
// returns at once. Texts are UTF-8.
#pragma once

extern "C" {

// ---- dialogs (the module waits for the page's answer) ----
void page_message(const char* text, const char* title, int icon);
int page_ask(const char* text, const char* title);
int page_choose_piece(int set, int left, int top);
void page_show_piece_choice(int shown, int pressed, int kind, int left, int top);
void page_wait(double seconds);

// ---- the window's other services ----
double page_now();
void page_set_timer(int enabled);
void page_quit();
void page_set_file_lists(int drive, int directory, int file);
void page_set_record_input(int visible);
// The record panel's field (0 folder, 1 game name, 2 first player, 3 second player, 4 file
// name), in memory the caller frees.
char* page_record_field(int field);
void page_refresh_file_list();
void page_checks_changed(const char* checks);

// ---- the stronger computer in the page's Web Worker ----
void page_search(int id, const char* request);
void page_stop_search();

// ---- the board's canvas ----
void page_picture(int picture, int shade, double c, double r);
void page_outline(int colour, double c, double r);
void page_text(double c, double r, const char* text, int colour, int size);
void page_refresh();

// ---- sounds (Web Audio) ----
int page_sound_start();
void page_sound_play(int id, int looping);
void page_sound_stop(int id);
void page_sound_close();
}
