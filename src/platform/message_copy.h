// Ctrl+C on one of the game's message boxes copies its text to the clipboard, so a player can
// keep a message (and the end-to-end tests read what the game said through the same keys).
#pragma once

class QMessageBox;

namespace zorvan {

// Adds the copy key to `box`; the shortcut lives and dies with the box.
void allowCopy(QMessageBox& box);

}  // namespace zorvan
