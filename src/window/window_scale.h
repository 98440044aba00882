#pragma once

#include <cstdint>

#include "screen/image.h"

namespace zelvane {

// The density at which one game pixel is one screen pixel, as the game was drawn for.
inline constexpr double kBaseDensity = 96.0;

struct Size {
  int w = 0;
  int h = 0;
};

// The whole number of screen pixels each game pixel takes across and down on
// a display of `dpi` dots per inch: the density over 96, rounded, at least 1,
// and no more than lets `game` times the factor fit into `usable`.
int ChooseScale(double dpi, Size usable, Size game);

// Copies `part` of `picture`, which holds it whole, into the 32-bit pixels at
// `target`, `scale` times larger: each pixel becomes a scale x scale block,
// its colour kept. `target` is where the part's top-left block begins,
// `pitch` the bytes from one of its rows to the next.
void ScaleNearest(const Image& picture, Rect part, int scale, std::uint32_t* target, int pitch);

}  // namespace zelvane
