#include "mask.h"

#include <algorithm>

namespace zelvane::art {

Mask::Mask(Rect area)
    : area_(area), coverage_(static_cast<std::size_t>(area.w) * static_cast<std::size_t>(area.h), 0) {}

int Mask::At(int x, int y) const { return Inside(x, y) ? coverage_[Index(x, y)] : 0; }

void Mask::Merge(int x, int y, int coverage) {
  if (!Inside(x, y)) return;
  std::uint8_t& cell = coverage_[Index(x, y)];
  cell = static_cast<std::uint8_t>(std::max<int>(cell, coverage));
}

void Mask::Include(Rect box) {
  if (box.w <= 0 || box.h <= 0) return;
  if (area_.w <= 0 || area_.h <= 0) {
    *this = Mask(box);
    return;
  }
  const int left = std::min(area_.x, box.x);
  const int top = std::min(area_.y, box.y);
  const int right = std::max(area_.x + area_.w, box.x + box.w);
  const int bottom = std::max(area_.y + area_.h, box.y + box.h);
  Mask grown({left, top, right - left, bottom - top});
  for (int y = area_.y; y < area_.y + area_.h; ++y) {
    for (int x = area_.x; x < area_.x + area_.w; ++x) grown.Merge(x, y, At(x, y));
  }
  *this = std::move(grown);
}

Rect Mask::Ink() const {
  int left = area_.x + area_.w;
  int top = area_.y + area_.h;
  int right = area_.x - 1;
  int bottom = area_.y - 1;
  for (int y = area_.y; y < area_.y + area_.h; ++y) {
    for (int x = area_.x; x < area_.x + area_.w; ++x) {
      if (At(x, y) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < left) return {area_.x, area_.y, 0, 0};
  return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace zelvane::art
