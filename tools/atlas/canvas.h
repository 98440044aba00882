#pragma once

#include <cstdint>
#include <vector>

#include "screen/image.h"

namespace zelvane::art {

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  bool operator==(const Colour&) const = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kClear{0, 0, 0, 0};

// The colour a fraction t (0..1) of the way from `from` to `to`, rounded.
Colour Mix(Colour from, Colour to, double t);

// A picture we paint into; everything off its edges is ignored.
class Canvas {
 public:
  Canvas(int width, int height, Colour fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Colour colour);
  // Lays `colour` over the pixel with the given coverage (0..255), as anti-aliased ink does.
  void Blend(int x, int y, Colour colour, int coverage);

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  std::vector<Colour> pixels_;
};

}  // namespace zelvane::art
