// The pictures as JSON, for a front end that draws them itself (the page's canvas painter,
// app/web/art/painter.js, replays exactly these steps):
//
//   { "format": 1, "cell": [33, 41], "title": [161, 39], "icon": [41, 41],
//     "backgroundVariants": 4,
//     "grounds": [SHADE0, SHADE1, PRESSED],          the empty squares and the lit ground
//     "pieces": { "-20": PICTURE, ..., "20": PICTURE }, every piece code (a shogi code's sign is
//                                                    its side; chess: negative white, positive
//                                                    black), on a transparent ground
//     "titlePicture": PICTURE, "iconPicture": PICTURE }
//
// A PICTURE is a list of steps in its design box (the sizes above):
//   ["save"], ["restore"]               keep and bring back the map in force
//   ["transform", a, b, c, d, e, f]     x' = a x + c y + e, y' = b x + d y + f, before the map
//   ["draw", RULE, PATH, FILL, PEN]     fill the path, then stroke it
// RULE is "evenodd" or "nonzero". PATH is a flat list: 0 x y (move), 1 x y (line),
// 2 x1 y1 x2 y2 x y (cubic), 3 (close). FILL is null, ["solid", r, g, b, a],
// ["linear", x0, y0, x1, y1, STOPS] or ["radial", cx, cy, radius, STOPS], with STOPS a list of
// [at, r, g, b, a]; PEN is null or [width, r, g, b, a, CAP, JOIN] with the canvas's names
// ("butt", "square", "round"; "miter", "bevel", "round"). Colour channels are 0..255, alpha
// too. Coordinates are written to 1/10000 of a design pixel.
//
// The background tiles are not here: they are made pixel by pixel (backgrounds.h).
#pragma once

#include <string>

#include "art/picture.h"

namespace zorvan::art {

// One picture's steps as a JSON list.
std::string pictureJson(const Picture& picture);

// Every picture of the game, as above.
std::string artworkJson();

}  // namespace zorvan::art
