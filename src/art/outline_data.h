// Outlines kept as exact numbers: the shogi piece characters and the title word, as a mincho
// face draws them at 100 pixels. Drawn as paths, they look as the face does without the program
// ever opening the face (see tools/make_outlines.cpp, which writes outline_data.cpp).
#pragma once

#include "art/picture.h"

namespace zorvan::art {

namespace outline_data {

// The kinds of element, numbered as the tool that took them from the face numbers them.
enum ElementType { MoveTo = 0, LineTo = 1, CurveTo = 2, CurveToData = 3 };

struct OutlineElement {
    int type;  // ElementType: a curve is a CurveTo and two CurveToData (its end last)
    double x, y;
};

struct Outline {
    char16_t character;
    const OutlineElement* elements;
    int count;
    int winding;  // 1: the nonzero fill rule, 0: even-odd
};

extern const Outline kPieceCharacters[];
extern const int kPieceCharacterCount;
extern const Outline kTitle;

}  // namespace outline_data

// The outline of a piece character ("歩", "と", ... "王"), or an empty path for any other. Each
// contour ends where it began and is closed.
const Path& pieceCharacterOutline(char16_t character);

// The word "ZORVAN" as the title letters it.
const Path& titleWordOutline();

}  // namespace zorvan::art
