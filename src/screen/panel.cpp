#include "screen/panel.h"

#include <algorithm>
#include <cstdlib>

namespace zelvane {

Panel::Panel(int width, int height) : image_(width, height), shown_(width, height) {}

void Panel::Touch(Rect area) { unpresented_ = unpresented_.United(area.Intersected(image_.Bounds())); }

void Panel::Copy(int x, int y, int width, int height, const Image& atlas, int atlasX, int atlasY) {
  image_.Paste(atlas, {atlasX, atlasY, width, height}, x, y);
  Touch({x, y, width, height});
}

void Panel::FillBox(int x1, int y1, int x2, int y2, Rgb colour) {
  const Rect box = Rect{std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1}.Intersected(
      image_.Bounds());
  for (int y = box.y; y < box.Bottom(); ++y) {
    std::fill_n(image_.Row(y) + box.x, box.w, Opaque(colour));
  }
  Touch(box);
  repaintRequested_ = true;
}

void Panel::Line(int x1, int y1, int x2, int y2, Rgb colour) {
  // Bresenham, both end points set.
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int stepX = x1 < x2 ? 1 : -1;
  const int stepY = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1;
  int y = y1;
  const Rect bounds = image_.Bounds();
  while (true) {
    if (x >= 0 && y >= 0 && x < bounds.w && y < bounds.h) image_.Set(x, y, colour);
    if (x == x2 && y == y2) break;
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += stepX;
    }
    if (doubled <= dx) {
      error += dx;
      y += stepY;
    }
  }
  Touch({std::min(x1, x2), std::min(y1, y2), dx + 1, -dy + 1});
  repaintRequested_ = true;
}

void Panel::Clear() { FillBox(0, 0, Width() - 1, Height() - 1, Black); }

void Panel::Present() {
  if (unpresented_.Empty()) return;
  shown_.Paste(image_, unpresented_, unpresented_.x, unpresented_.y);
  screenDamage_ = screenDamage_.United(unpresented_);
  unpresented_ = {};
}

void Panel::HandlerReturned() {
  if (!repaintRequested_) return;
  repaintRequested_ = false;
  Present();
}

void Panel::Repaint() {
  unpresented_ = image_.Bounds();
  Present();
}

Rect Panel::TakeScreenDamage() {
  const Rect damage = screenDamage_;
  screenDamage_ = {};
  return damage;
}

}  // namespace zelvane
