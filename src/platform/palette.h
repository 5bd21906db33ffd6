// The 16-colour palette the game names its colours by (0 black ... 15 bright white).
#pragma once

#include <QColor>

namespace zorvan {

// Colour of a palette index; indices outside 0..15 wrap into the palette.
QColor paletteColour(int index);

}  // namespace zorvan
