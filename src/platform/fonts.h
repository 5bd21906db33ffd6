// The fonts the window draws with. Japanese text needs a CJK font (Debian's fonts-noto-cjk);
// the families are chosen once from what is installed, preferring ones that hold every glyph the
// game prints, so no text ever shows empty boxes.
#pragma once

#include <QFont>
#include <QString>

namespace zorvan {

struct GameFonts {
    QString sans;  // status texts, menus and dialogs (the pieces and the title are outlines)
};

// The chosen families (looked up on first use; needs a QGuiApplication).
const GameFonts& gameFonts();

// A font of the sans family at a pixel size.
QFont textFont(double pixelSize, bool bold);

// True when `family` in `weight` has a glyph for every character of `text`.
bool fontCovers(const QString& family, const QString& text, QFont::Weight weight = QFont::Normal);

}  // namespace zorvan
