// The menu bar's overflow arrow, read from its picture only when the arrow first shows. Reading
// a picture loads Qt's picture readers and their libraries, which a window whose menus all fit
// need not hold in memory.
#pragma once

class QMenuBar;
class QStyle;
class QString;

namespace zorvan {

// A new style of the given kind ("fusion", ...) that gives menu bars no overflow arrow at first.
QStyle* makeDeferredIconStyle(const QString& key);

// Wraps the application's style so (call once, after the application is made).
void deferStandardIcons();

// Gives the menu bar's overflow button its arrow, as the style draws it, when it first shows.
void giveOverflowArrowWhenShown(QMenuBar* bar);

}  // namespace zorvan
