#pragma once

#include "font.h"

namespace zelvane::art {

// The DejaVu faces our artwork is lettered with, from Debian's font packages.
struct Fonts {
  Fonts();

  Font italic;     // the letters on the tiles
  Font condensed;  // the tall score digits and their labels
  Font bold;       // banners and the icon
  Font regular;    // button captions
};

}  // namespace zelvane::art
