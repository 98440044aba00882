#pragma once

#include <cstdint>
#include <string>

#include "screen/image.h"
#include "screen/layout.h"

namespace zelvane {

// A command button of the window. Its position is kept in twips, as the title
// sequence slides it in by setting its left edge.
struct CommandButton {
  std::string caption;
  std::int16_t left = layout::kButtonOutLeft;
  std::int16_t top = 0;
  bool enabled = false;

  // Where it stands in the client area, in pixels.
  Rect Bounds() const {
    return {left / layout::kTwipsPerPixel, top / layout::kTwipsPerPixel, layout::kButtonWidth / layout::kTwipsPerPixel,
            layout::kButtonHeight / layout::kTwipsPerPixel};
  }
};

}  // namespace zelvane
