#include "fonts.h"

#include <string>

namespace zelvane::art {

namespace {

const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";

}  // namespace

Fonts::Fonts()
    : italic(kDejaVu + "DejaVuSans-BoldOblique.ttf"),
      condensed(kDejaVu + "DejaVuSansCondensed-Bold.ttf"),
      bold(kDejaVu + "DejaVuSans-Bold.ttf"),
      regular(kDejaVu + "DejaVuSans.ttf") {}

}  // namespace zelvane::art
