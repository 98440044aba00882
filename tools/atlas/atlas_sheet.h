#pragma once

#include "canvas.h"
#include "fonts.h"

namespace zelvane::art {

// The whole sprite sheet, atlas::kSize pixels square, every picture where
// screen/atlas_regions.h says the game finds it; everything else is black.
Canvas BuildAtlas(const Fonts& fonts);

}  // namespace zelvane::art
