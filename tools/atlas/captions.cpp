#include "captions.h"

#include "paint.h"
#include "window/captions_layout.h"
#include "window/shades.h"

namespace zelvane::art {

namespace {

namespace layout = zelvane::captions;

constexpr const char* kCaptions[layout::kButtons] = {"Start", "End"};
// Small body text: grid-fitted both ways so stems land on whole pixels.
constexpr TextStyle kCaptionStyle{.widthPx = 11, .heightPx = 11, .hinting = Hinting::Normal, .outlinePx = 0};

constexpr Colour kFace{(shade::Face >> 16) & 0xFF, (shade::Face >> 8) & 0xFF, shade::Face & 0xFF};
constexpr Colour kEnabledInk = kBlack;
constexpr Colour kDisabledInk{128, 128, 128};
constexpr Colour kEmboss = kWhite;

}  // namespace

Canvas BuildCaptions(const Fonts& fonts) {
  Canvas canvas(layout::kSheetWidth, layout::kSheetHeight, kFace);
  // All captions share one baseline, with the capitals centred in the cell.
  const Rect capital = fonts.regular.Render("S", kCaptionStyle).Ink();
  const int baseline = (layout::kCellHeight - capital.h) / 2 - capital.y;
  for (int button = 0; button < layout::kButtons; ++button) {
    const Mask ink = fonts.regular.Render(kCaptions[button], kCaptionStyle);
    const int penX = CentreInk(ink, {0, 0, layout::kCellWidth, layout::kCellHeight}).x;
    const int enabledY = layout::kCellHeight * layout::CellIndex(button, true) + baseline;
    const int disabledY = layout::kCellHeight * layout::CellIndex(button, false) + baseline;
    Paint(canvas, ink, penX, enabledY, Solid(kEnabledInk));
    // A greyed caption looks etched: its white highlight peeks out one pixel down and right.
    Paint(canvas, ink, penX + 1, disabledY + 1, Solid(kEmboss));
    Paint(canvas, ink, penX, disabledY, Solid(kDisabledInk));
  }
  return canvas;
}

}  // namespace zelvane::art
