#include "atlas_sheet.h"

#include <cstddef>
#include <initializer_list>

#include "glyphs.h"
#include "palette.h"
#include "tile_geometry.h"
#include "tiles.h"

namespace zelvane::art {

namespace {

constexpr int kTile = tile_geometry::kSize;
constexpr int kFirstRowLetters = 20;  // A..T fill a whole band; U..Z start the next one

// Band tops of the three letter sets; the second half of each alphabet sits one band lower.
constexpr int kLetterBand = 0;
constexpr int kLandedBand = 90;
constexpr int kArmouredBand = 240;

struct TilePlace {
  int x;
  int y;
};

TilePlace LetterPlace(int band, int code) {
  if (code < kFirstRowLetters) return {kTile * code, band};
  return {kTile * (code - kFirstRowLetters), band + kTile};
}

Shader GradientFace(int tile_y, const palette::Gradient& gradient) {
  return VerticalGradient(tile_y + tile_geometry::kFaceFirst, tile_y + tile_geometry::kFaceLast,
                          {{0.0, gradient.top}, {1.0, gradient.bottom}});
}

void DrawLetterBands(Canvas& canvas, const Fonts& fonts) {
  for (int code = 0; code < 26; ++code) {
    const char letter = static_cast<char>('A' + code);
    const palette::KeyRow row = palette::RowOf(letter);
    const struct {
      int band;
      Colour face;
    } sets[] = {{kLetterBand, palette::Face(row)},
                {kLandedBand, palette::kLandedFace},
                {kArmouredBand, palette::ArmouredFace(row)}};
    for (const auto& set : sets) {
      const TilePlace place = LetterPlace(set.band, code);
      DrawTile(canvas, place.x, place.y, Solid(set.face));
      DrawTileLetter(canvas, place.x, place.y, fonts.italic, letter);
    }
  }
}

// `count` letterless tiles side by side from (x, y), their faces taken in turn.
void DrawPlainTiles(Canvas& canvas, int first_x, int y, int count, std::initializer_list<Colour> faces) {
  for (int turn = 0; turn < count; ++turn) {
    const int x = first_x + kTile * turn;
    DrawTile(canvas, x, y, Solid(faces.begin()[static_cast<std::size_t>(turn) % faces.size()]));
  }
}

void DrawPlainBands(Canvas& canvas) {
  using palette::KeyRow;
  constexpr int kAfterLetters = kTile * (26 - kFirstRowLetters);
  constexpr int kToEdge = (kAtlasSize - kAfterLetters) / kTile;
  constexpr int kItemsX = 270;
  constexpr int kItems = 4;
  constexpr int kSpareX = kItemsX + kTile * kItems;
  const int y = kLetterBand + kTile;
  // Block tiles for the curtain and the row markers, the item tiles, then spare green ones.
  DrawPlainTiles(canvas, kAfterLetters, y, 3,
                 {palette::Face(KeyRow::kTop), palette::Face(KeyRow::kHome), palette::Face(KeyRow::kBottom)});
  for (int item = 0; item < kItems; ++item) {
    DrawTile(canvas, kItemsX + kTile * item, y, GradientFace(y, palette::kItemFaces[item]));
  }
  DrawPlainTiles(canvas, kSpareX, y, (kAtlasSize - kSpareX) / kTile, {palette::Face(KeyRow::kHome)});
  DrawPlainTiles(canvas, kAfterLetters, kLandedBand + kTile, kToEdge, {palette::kLandedFace});
  DrawPlainTiles(canvas, kAfterLetters, kArmouredBand + kTile, kToEdge,
                 {palette::ArmouredFace(KeyRow::kTop), palette::ArmouredFace(KeyRow::kHome),
                  palette::ArmouredFace(KeyRow::kBottom)});
}

void DrawPanelLettering(Canvas& canvas, const Fonts& fonts) {
  constexpr int kDigitsX = 160;
  constexpr int kDigitWidth = 20;
  constexpr int kDigitRow = 180;
  constexpr int kBrightRow = 210;
  for (int digit = 0; digit < 10; ++digit) {
    const Box plain{kDigitsX + kDigitWidth * digit, kDigitRow, kDigitWidth, kTile};
    const Box bright{kDigitsX + kDigitWidth * digit, kBrightRow, kDigitWidth, kTile};
    DrawDigit(canvas, plain, fonts, digit, SilverShade(plain));
    DrawDigit(canvas, bright, fonts, digit, GoldShade(bright));
  }
  const Box label{360, kDigitRow, 40, kTile};
  const Box gold_label{360, kBrightRow, 40, kTile};
  DrawDigitText(canvas, label, fonts, "Lv", SilverShade(label));
  DrawDigitText(canvas, gold_label, fonts, "Lv", GoldShade(gold_label));
  DrawPercent(canvas, {570, kBrightRow, 30, kTile}, fonts);
  DrawWarningBanner(canvas, {420, kDigitRow, 135, kTile}, fonts);
  DrawReadyBanner(canvas, {420, kBrightRow, 100, kTile}, fonts);
  DrawScoreFrame(canvas, {16, 176, 128, 38});
}

}  // namespace

Canvas BuildAtlas(const Fonts& fonts) {
  Canvas canvas(kAtlasSize, kAtlasSize, kBlack);
  DrawLetterBands(canvas, fonts);
  DrawPlainBands(canvas);
  DrawPanelLettering(canvas, fonts);
  return canvas;
}

}  // namespace zelvane::art
