// The title lettering "ZORVAN": gilded capitals between a small shogi tile and a chess king; and
// the window icon made of the two kings.
#include <algorithm>

#include "art/artwork.h"
#include "art/outline_data.h"
#include "model/piece.h"

namespace zorvan::art {

namespace {

Path lettering() {
    const Path& text = titleWordOutline();
    // Fit the word into the middle of the box.
    const Box box = text.bounds();
    const double left = 24, top = 6, width = 113, height = 25;
    const double scale = std::min(width / box.width(), height / box.height());
    const Matrix place = Matrix()
                             .translate(left + width / 2, top + height / 2)
                             .scale(scale, scale)
                             .translate(-box.centre().x, -box.centre().y);
    return text.transformed(place);
}

}  // namespace

Picture titlePicture() {
    Picture picture;
    const Path word = lettering();
    picture.fill(word.translated(1.2, 1.4), Paint::solid({0, 0, 0, 120}));
    picture.draw(word,
                 Paint::linear(0, 6, 0, 31,
                               {{0, {255, 246, 196}},
                                {0.45, {240, 196, 76}},
                                {0.55, {196, 134, 28}},
                                {1, {250, 214, 110}}}),
                 Pen{0.9, {74, 40, 6}});

    // A rule under the word, fading out at both ends.
    picture.fill(Path().addRect(24, 33.2, 113, 1.3),
                 Paint::linear(
                     24, 0, 137, 0,
                     {{0, {240, 196, 76, 0}}, {0.5, {240, 196, 76, 230}}, {1, {240, 196, 76, 0}}}));

    // The two armies as small emblems at the ends of the word.
    picture.append(shogiPiecePicture(-OU), Matrix().translate(1, 2).scale(0.62, 0.62));
    picture.append(chessPiecePicture(KING, true), Matrix().translate(140, 2).scale(0.62, 0.62));
    return picture;
}

Picture iconPicture() {
    Picture picture;
    const double size = ICON_DESIGN_SIZE;
    const double k = size / CELL_DESIGN_H;
    picture.append(shogiPiecePicture(-OU),
                   Matrix().translate(-size * 0.04, size * 0.02).scale(k * 0.95, k * 0.95));
    picture.append(chessPiecePicture(KING, false),
                   Matrix().translate(size * 0.36, size * 0.10).scale(k * 0.9, k * 0.9));
    return picture;
}

}  // namespace zorvan::art
