#include "canvas.h"

#include <cmath>

namespace zelvane::art {

namespace {

std::uint8_t MixChannel(int from, int to, double t) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

}  // namespace

Colour Mix(Colour from, Colour to, double t) {
  return {MixChannel(from.r, to.r, t), MixChannel(from.g, to.g, t), MixChannel(from.b, to.b, t),
          MixChannel(from.a, to.a, t)};
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Canvas::Set(int x, int y, Colour colour) {
  if (Contains(x, y)) pixels_[Index(x, y)] = colour;
}

void Canvas::Blend(int x, int y, Colour colour, int coverage) {
  if (!Contains(x, y) || coverage <= 0) return;
  Colour& under = pixels_[Index(x, y)];
  // Ink with its own alpha covers proportionally less; the result is "over" compositing.
  const int ink = coverage * colour.a / 255;
  const int outAlpha = ink + under.a * (255 - ink) / 255;
  if (outAlpha == 0) return;
  auto channel = [&](int top, int bottom) {
    const int weighted = top * ink + bottom * under.a * (255 - ink) / 255;
    return static_cast<std::uint8_t>((weighted + outAlpha / 2) / outAlpha);
  };
  under = {channel(colour.r, under.r), channel(colour.g, under.g), channel(colour.b, under.b),
           static_cast<std::uint8_t>(outAlpha)};
}

}  // namespace zelvane::art
