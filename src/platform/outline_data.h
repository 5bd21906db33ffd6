// Outlines kept as exact numbers: the shogi piece characters and the title word, as a mincho
// face draws them at 100 pixels. Drawn as paths, they look as the face does without the program
// ever opening the face (see tools/make_outlines.cpp, which writes outline_data.cpp).
#pragma once

#include <QPainterPath>

namespace zorvan {

namespace outline_data {

struct OutlineElement {
    int type;  // QPainterPath::ElementType
    double x, y;
};

struct Outline {
    char16_t character;
    const OutlineElement* elements;
    int count;
    int winding;  // 1: Qt::WindingFill, 0: Qt::OddEvenFill
};

extern const Outline kPieceCharacters[];
extern const int kPieceCharacterCount;
extern const Outline kTitle;

}  // namespace outline_data

// The outline of a piece character ("歩", "と", ... "王"), or an empty path for any other.
const QPainterPath& pieceCharacterOutline(char16_t character);

// The word "ZORVAN" as the title letters it.
const QPainterPath& titleWordOutline();

}  // namespace zorvan
