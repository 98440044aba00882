#pragma once

#include "canvas.h"
#include "fonts.h"

namespace zelvane::art {

inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 192, 512};

// The game's icon at `size` x `size` pixels: a lettered tile, drawn afresh for each size.
Canvas BuildIcon(const Fonts& fonts, int size);

}  // namespace zelvane::art
