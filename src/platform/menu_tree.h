// The main window's menu tree: captions and control names, from left to right and top to bottom.
// The control names are the object names of the menu actions, so the game and the tests find an
// item by its name.
#pragma once

#include <span>

namespace zorvan {

struct MenuEntry {
    const char* name;     // control name
    const char* caption;  // the caption shown
    const char* parent;   // control name of the menu it sits in; nullptr for the menu bar
    bool checkable;       // an option or level with a check mark
};

// All entries, each parent before its children.
std::span<const MenuEntry> menuTree();

}  // namespace zorvan
