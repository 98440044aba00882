#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "canvas.h"
#include "mask.h"

namespace zelvane::art {

// The ink colour at a canvas pixel.
using Shader = std::function<Colour(int x, int y)>;

Shader Solid(Colour colour);

struct Stop {
  double at;  // 0 at the first row, 1 at the last
  Colour colour;
};

// Colour that changes from row `first` to row `last` through the stops; held beyond them.
Shader VerticalGradient(int first, int last, std::initializer_list<Stop> stops);

// Blends the mask's ink onto the canvas with its pen origin at (x, y).
void Paint(Canvas& canvas, const Mask& mask, int x, int y, const Shader& shader);

struct Pen {
  int x;
  int y;
};

// The pen origin that centres the mask's ink in `box` (odd leftovers go right and down).
Pen CentreInk(const Mask& mask, Rect box);

}  // namespace zelvane::art
