#pragma once

#include <cstdint>
#include <vector>

namespace zelvane {

// A colour as 0xRRGGBB; pixels are stored as 0xFFRRGGBB (opaque ARGB).
using Rgb = std::uint32_t;
inline constexpr Rgb Black = 0x000000;

constexpr std::uint32_t Opaque(Rgb colour) { return 0xFF000000u | colour; }
constexpr Rgb RgbOf(std::uint32_t pixel) { return pixel & 0xFFFFFFu; }
constexpr Rgb MakeRgb(int r, int g, int b) { return static_cast<Rgb>((r << 16) | (g << 8) | b); }

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;

  bool Empty() const { return w <= 0 || h <= 0; }
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
  // The smallest rectangle holding both; an empty side adds nothing.
  Rect United(const Rect& other) const;
  Rect Intersected(const Rect& other) const;
  bool operator==(const Rect&) const = default;
};

// A picture of opaque pixels, row by row.
class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = Black);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  Rgb At(int x, int y) const { return RgbOf(pixels_[Index(x, y)]); }
  void Set(int x, int y, Rgb colour) { pixels_[Index(x, y)] = Opaque(colour); }
  std::uint32_t* Row(int y) { return pixels_.data() + Index(0, y); }
  const std::uint32_t* Row(int y) const { return pixels_.data() + Index(0, y); }

  // Copies `source` (clipped to both pictures) so that its (0, 0) lands at (x, y).
  void Paste(const Image& source, Rect from, int x, int y);

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace zelvane
