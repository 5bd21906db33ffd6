// The game's menu tree: captions and control names, from left to right and top to bottom, the
// same for every front end. Each front end builds its menu bar from it and reports a choice by
// the item's control name (Game::menu). The window makes the control names the object names of
// its menu actions, so the tests find an item by its name.
#pragma once

#include <span>

#include "text/catalogue.h"

namespace zorvan {

struct MenuEntry {
    const char* name;    // control name
    Msg caption;         // the caption shown, as tr(caption) gives it in the current language
    const char* parent;  // control name of the menu it sits in; nullptr for the menu bar
    bool checkable;      // an option or level with a check mark
};

// All entries, each parent before its children.
std::span<const MenuEntry> menuTree();

}  // namespace zorvan
