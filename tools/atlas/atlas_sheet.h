#pragma once

#include "canvas.h"
#include "fonts.h"

namespace zelvane::art {

inline constexpr int kAtlasSize = 600;

// The whole 600 x 600 sprite sheet; everything that no region covers is black.
Canvas BuildAtlas(const Fonts& fonts);

}  // namespace zelvane::art
