#include "screen/image.h"

#include <algorithm>
#include <cstring>

namespace zelvane {

Rect Rect::United(const Rect& other) const {
  if (Empty()) return other;
  if (other.Empty()) return *this;
  const int left = std::min(x, other.x);
  const int top = std::min(y, other.y);
  return {left, top, std::max(Right(), other.Right()) - left, std::max(Bottom(), other.Bottom()) - top};
}

Rect Rect::Intersected(const Rect& other) const {
  const int left = std::max(x, other.x);
  const int top = std::max(y, other.y);
  const int right = std::min(Right(), other.Right());
  const int bottom = std::min(Bottom(), other.Bottom());
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

Image::Image(int width, int height, Rgb fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), Opaque(fill)) {}

void Image::Paste(const Image& source, Rect from, int x, int y) {
  from = from.Intersected(source.Bounds());
  // Where the clipped source lands, clipped again to this picture.
  const Rect target = Rect{x, y, from.w, from.h}.Intersected(Bounds());
  if (target.Empty()) return;
  const int sx = from.x + (target.x - x);
  const int sy = from.y + (target.y - y);
  for (int row = 0; row < target.h; ++row) {
    std::memcpy(Row(target.y + row) + target.x, source.Row(sy + row) + sx,
                static_cast<std::size_t>(target.w) * sizeof(std::uint32_t));
  }
}

}  // namespace zelvane
