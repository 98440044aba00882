#include "tiles.h"

#include <string>

#include "palette.h"
#include "tile_geometry.h"

namespace zelvane::art {

namespace tg = tile_geometry;

namespace {

// The tile letters: bold italic, grid-fitted in height only so the slant stays true.
constexpr TextStyle kLetterStyle{.widthPx = 21, .heightPx = 21, .hinting = Hinting::Light, .outlinePx = 1.1};

// Frame ring `ring` (0 outermost) in light on the top and left, shade on the bottom and right.
void DrawRing(Canvas& canvas, Rect tile, int ring, Colour light, Colour shade) {
  const int left = tile.x + ring;
  const int top = tile.y + ring;
  const int right = tile.Right() - 1 - ring;
  const int bottom = tile.Bottom() - 1 - ring;
  for (int i = 0; i <= right - left; ++i) {
    canvas.Set(left + i, top, light);
    canvas.Set(left, top + i, light);
    canvas.Set(left + i, bottom, shade);
    canvas.Set(right, top + i, shade);
  }
  // The two corners where light meets shade get the midtone.
  const Colour between = Mix(light, shade, 0.5);
  canvas.Set(right, top, between);
  canvas.Set(left, bottom, between);
}

// A right-angled triangle in the frame's corner, its legs `size` pixels along the tile's edges.
void DrawCornerMark(Canvas& canvas, int cornerX, int cornerY, int step, int size, Colour colour) {
  for (int a = 0; a < size; ++a) {
    for (int b = 0; a + b < size; ++b) canvas.Set(cornerX + step * a, cornerY + step * b, colour);
  }
}

}  // namespace

void DrawFramedTile(Canvas& canvas, Rect tile, int frame, const Shader& face) {
  // Lit edge outermost; the innermost ring of a wide frame turns round into a groove around the face.
  for (int ring = 0; ring < frame; ++ring) {
    if (ring == 0) {
      DrawRing(canvas, tile, ring, palette::kFrameLight, palette::kFrameDark);
    } else if (ring == frame - 1 && frame > 2) {
      DrawRing(canvas, tile, ring, palette::kFrameShade, palette::kFrameMid);
    } else {
      DrawRing(canvas, tile, ring, palette::kFrameMid, palette::kFrameShade);
    }
  }
  DrawCornerMark(canvas, tile.x, tile.y, 1, frame, palette::kMarkRed);
  DrawCornerMark(canvas, tile.Right() - 1, tile.Bottom() - 1, -1, frame, palette::kMarkBlue);
  for (int y = tile.y + frame; y < tile.Bottom() - frame; ++y) {
    for (int x = tile.x + frame; x < tile.Right() - frame; ++x) canvas.Set(x, y, face(x, y));
  }
}

void DrawTile(Canvas& canvas, int x, int y, const Shader& face) {
  DrawFramedTile(canvas, {x, y, kCell, kCell}, tg::kFrame, face);
}

void DrawTileLetter(Canvas& canvas, int x, int y, const Font& italic, char letter) {
  const Rect letterBox = tg::kLetterBox;
  // Wide letters are narrowed, and J with its long tail shortened, until they fit inside the frame.
  TextStyle style = kLetterStyle;
  const std::string text(1, letter);
  Mask outline = italic.Render(text, style);
  while (outline.Ink().w > letterBox.w || outline.Ink().h > letterBox.h) {
    if (outline.Ink().w > letterBox.w) style.widthPx -= 0.5;
    if (outline.Ink().h > letterBox.h) style.heightPx -= 0.5;
    outline = italic.Render(text, style);
  }
  TextStyle fillStyle = style;
  fillStyle.outlinePx = 0;
  const Mask fill = italic.Render(text, fillStyle);
  const Pen pen = CentreInk(outline, letterBox);
  Paint(canvas, outline, x + pen.x, y + pen.y, Solid(palette::kLetterOutline));
  Paint(canvas, fill, x + pen.x, y + pen.y, Solid(palette::kLetterInk));
}

}  // namespace zelvane::art
