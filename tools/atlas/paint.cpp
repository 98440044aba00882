#include "paint.h"

#include <algorithm>

namespace zelvane::art {

Shader Solid(Colour colour) {
  return [colour](int, int) { return colour; };
}

Shader VerticalGradient(int first, int last, std::initializer_list<Stop> stops) {
  return [first, last, stops = std::vector<Stop>(stops)](int, int y) {
    const double at = last == first ? 0.0 : std::clamp(double(y - first) / double(last - first), 0.0, 1.0);
    if (at <= stops.front().at) return stops.front().colour;
    for (std::size_t i = 1; i < stops.size(); ++i) {
      if (at <= stops[i].at) {
        const Stop& from = stops[i - 1];
        return Mix(from.colour, stops[i].colour, (at - from.at) / (stops[i].at - from.at));
      }
    }
    return stops.back().colour;
  };
}

void Paint(Canvas& canvas, const Mask& mask, int x, int y, const Shader& shader) {
  const Rect& area = mask.Area();
  for (int row = area.y; row < area.y + area.h; ++row) {
    for (int column = area.x; column < area.x + area.w; ++column) {
      const int coverage = mask.At(column, row);
      if (coverage > 0) canvas.Blend(x + column, y + row, shader(x + column, y + row), coverage);
    }
  }
}

Pen CentreInk(const Mask& mask, Rect box) {
  const Rect ink = mask.Ink();
  return {box.x + (box.w - ink.w) / 2 - ink.x, box.y + (box.h - ink.h) / 2 - ink.y};
}

}  // namespace zelvane::art
