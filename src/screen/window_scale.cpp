#include "screen/window_scale.h"

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

void ScaleNearest(const Image& picture, Rect part, int scale, std::uint32_t* target, int pitch) {
  if (part.Empty() || scale < 1) return;
  const auto rowBytes = static_cast<std::size_t>(part.w) * static_cast<std::size_t>(scale) * sizeof(std::uint32_t);
  auto* bytes = reinterpret_cast<std::uint8_t*>(target);
  for (int row = 0; row < part.h; ++row) {
    std::uint8_t* first = bytes + static_cast<std::ptrdiff_t>(row) * scale * pitch;
    // One row is widened, the others of its block are copies of it.
    auto* out = reinterpret_cast<std::uint32_t*>(first);
    const std::uint32_t* in = picture.Row(part.y + row) + part.x;
    for (int x = 0; x < part.w; ++x) out = std::fill_n(out, scale, in[x]);
    for (int copy = 1; copy < scale; ++copy)
      std::memcpy(first + static_cast<std::ptrdiff_t>(copy) * pitch, first, rowBytes);
  }
}

}  // namespace zelvane
