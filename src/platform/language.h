// The window's language: chosen once at start-up, for the game's texts (the core's catalogue)
// and for Qt's own (the buttons of the message boxes).
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "text/catalogue.h"

namespace zorvan {

// Sets the game's language from `chosen` (the --lang option; empty when it was not given), else
// from the environment's locale variables, and installs Qt's own translation of that language
// where the system has one (in place of the one an earlier call installed). Call it once the
// application object exists, before any window. Returns the language set.
std::string_view applyLanguage(const std::string& chosen);

// A text of the catalogue in the current language, for a widget.
QString uiText(std::string_view id);
QString uiText(const Msg& text);

}  // namespace zorvan
