#include "window/window_scale.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelvane {

int ChooseScale(double dpi, Size usable, Size game) {
  if (!(dpi > 0) || game.w <= 0 || game.h <= 0) return 1;
  // A huge density must not overflow the conversion; the fit caps it anyway.
  const double wanted = std::min(std::round(dpi / kBaseDensity), 64.0);
  const int fits = std::min(usable.w / game.w, usable.h / game.h);
  return std::max(1, std::min(static_cast<int>(wanted), fits));
}

namespace {

// One row made `kScale` times as wide; a fixed factor lets the compiler unroll it.
template <int kScale>
void Widen(const std::uint32_t* in, int width, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, out += kScale) {
    for (int copy = 0; copy < kScale; ++copy) out[copy] = in[x];
  }
}

void Widen(const std::uint32_t* in, int width, int scale, std::uint32_t* out) {
  switch (scale) {
    case 1:
      std::copy_n(in, width, out);
      return;
    case 2:
      return Widen<2>(in, width, out);
    case 3:
      return Widen<3>(in, width, out);
    default:
      for (int x = 0; x < width; ++x) out = std::fill_n(out, scale, in[x]);
  }
}

}  // namespace

void ScaleNearest(const Image& picture, Rect part, int scale, std::uint32_t* target, int pitch) {
  if (part.Empty() || scale < 1) return;
  const auto rowBytes = static_cast<std::size_t>(part.w) * static_cast<std::size_t>(scale) * sizeof(std::uint32_t);
  auto* bytes = reinterpret_cast<std::uint8_t*>(target);
  for (int row = 0; row < part.h; ++row) {
    std::uint8_t* first = bytes + static_cast<std::ptrdiff_t>(row) * scale * pitch;
    // One row is widened, the others of its block are copies of it.
    Widen(picture.Row(part.y + row) + part.x, part.w, scale, reinterpret_cast<std::uint32_t*>(first));
    for (int copy = 1; copy < scale; ++copy) {
      std::memcpy(first + static_cast<std::ptrdiff_t>(copy) * pitch, first, rowBytes);
    }
  }
}

}  // namespace zelvane
