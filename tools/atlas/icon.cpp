#include "icon.h"

#include <algorithm>
#include <cmath>

#include "paint.h"
#include "palette.h"
#include "tiles.h"

namespace zelvane::art {

namespace {

// The game's own letter on a bottom-row tile, its face lit a little from above.
constexpr char kLetter[] = "Z";
constexpr Colour kFaceTop{92, 92, 255};
constexpr Colour kFaceBottom{36, 36, 214};

// At 16 pixels every font's diagonal smears, so the Z is laid pixel by pixel.
constexpr const char* kTinyLetter[] = {
    "########", "########", ".....##.", "....##..", "...##...",
    "..##....", ".##.....", "##......", "########", "########",
};
constexpr int kTinyRows = sizeof kTinyLetter / sizeof kTinyLetter[0];
constexpr int kTinyColumns = 8;

bool TinyInk(int column, int row) {
  return column >= 0 && row >= 0 && column < kTinyColumns && row < kTinyRows && kTinyLetter[row][column] == '#';
}

// The letter in white, with a dark shadow one pixel down and right, centred on the icon.
void DrawTinyLetter(Canvas& canvas) {
  const int left = (canvas.Width() - kTinyColumns) / 2;
  const int top = (canvas.Height() - kTinyRows) / 2;
  for (int row = 0; row <= kTinyRows; ++row) {
    for (int column = 0; column <= kTinyColumns; ++column) {
      if (TinyInk(column, row)) {
        canvas.Set(left + column, top + row, palette::kLetterInk);
      } else if (TinyInk(column - 1, row - 1)) {
        canvas.Set(left + column, top + row, palette::kLetterOutline);
      }
    }
  }
}

// The letter from the italic font with its dark outline, sized to the face.
void DrawLetter(Canvas& canvas, const Font& italic, Rect face) {
  TextStyle style = FitStyle(italic, kLetter, face.w * 62 / 100, face.h * 62 / 100, Hinting::Light);
  const Mask fill = italic.Render(kLetter, style);
  const Pen pen = CentreInk(fill, face);
  style.outlinePx = canvas.Width() / 28.0;
  Paint(canvas, italic.Render(kLetter, style), pen.x, pen.y, Solid(palette::kLetterOutline));
  Paint(canvas, fill, pen.x, pen.y, Solid(palette::kLetterInk));
}

}  // namespace

Canvas BuildIcon(const Fonts& fonts, int size) {
  Canvas canvas(size, size, kClear);
  const int margin = size / 32;
  const Rect tile{margin, margin, size - 2 * margin, size - 2 * margin};
  const int frame = std::max(1, static_cast<int>(std::lround(tile.w / 10.0)));
  const int faceFirst = tile.y + frame;
  const int faceLast = tile.Bottom() - 1 - frame;
  DrawFramedTile(canvas, tile, frame, VerticalGradient(faceFirst, faceLast, {{0.0, kFaceTop}, {1.0, kFaceBottom}}));

  if (size < 32) {
    DrawTinyLetter(canvas);
  } else {
    const int face = faceLast - faceFirst + 1;
    DrawLetter(canvas, fonts.italic, {faceFirst, faceFirst, face, face});
  }
  return canvas;
}

}  // namespace zelvane::art
