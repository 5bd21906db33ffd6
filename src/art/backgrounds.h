// The five background tiles (identifiers 22..26): green baize, tatami, a bamboo fence, space and
// brick. A tile covers one cell and is made pixel by pixel at the size it is shown at, grain and
// all, so both front ends show the very same pixels: the window wraps them in an image, the page
// puts them into an ImageData.
#pragma once

#include <cstdint>

namespace zorvan::art {

// Number of variants of each background tile. Variants share their edges, so any mix of them
// tiles seamlessly; a front end picks one per cell so the pattern does not look like a grid.
constexpr int BACKGROUND_VARIANTS = 4;

// True for the background identifiers 22..26.
bool isBackground(int id);

// Fills `rgba` (width * height * 4 bytes, rows from the top, each pixel red, green, blue, alpha:
// the layout of the browser's ImageData) with background `id` (22..26; any other gives the baize)
// in variant 0..3 (clamped), stretched over width x height pixels (each at least 1). Opaque.
void renderBackground(int id, int variant, int width, int height, uint8_t* rgba);

}  // namespace zorvan::art
