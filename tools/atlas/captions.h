#pragma once

#include "canvas.h"
#include "fonts.h"

namespace zelvane::art {

// "Start" and "End", enabled and disabled, on the button face (see window/captions_layout.h).
Canvas BuildCaptions(const Fonts& fonts);

}  // namespace zelvane::art
