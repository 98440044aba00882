#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace zelvane::art {

// Ink coverage (0..255) over a box of pixels. Coordinates are relative to a
// text's pen origin on the baseline, y growing downwards.
class Mask {
 public:
  Mask() = default;
  Mask(Rect area);

  const Rect& Area() const { return area_; }
  int At(int x, int y) const;
  // Adds ink, keeping the stronger coverage where two glyphs meet.
  void Merge(int x, int y, int coverage);
  // Grows the area so that `box` fits, keeping the ink.
  void Include(Rect box);
  // The tight box around every covered pixel; zero-sized when nothing is covered.
  Rect Ink() const;

 private:
  bool Inside(int x, int y) const {
    return x >= area_.x && y >= area_.y && x < area_.x + area_.w && y < area_.y + area_.h;
  }
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y - area_.y) * static_cast<std::size_t>(area_.w) +
           static_cast<std::size_t>(x - area_.x);
  }

  Rect area_;
  std::vector<std::uint8_t> coverage_;
};

}  // namespace zelvane::art
