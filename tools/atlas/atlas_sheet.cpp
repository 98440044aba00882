#include "atlas_sheet.h"

#include <cstddef>
#include <initializer_list>

#include "game/game_state.h"
#include "glyphs.h"
#include "palette.h"
#include "screen/atlas_regions.h"
#include "tile_geometry.h"
#include "tiles.h"

namespace zelvane::art {

namespace {

Shader GradientFace(int tileY, const palette::Gradient& gradient) {
  return VerticalGradient(tileY + tile_geometry::kFaceFirst, tileY + tile_geometry::kFaceLast,
                          {{0.0, gradient.top}, {1.0, gradient.bottom}});
}

void DrawLetterBands(Canvas& canvas, const Fonts& fonts) {
  for (std::int16_t code = kLetterA; code <= kLetterZ; ++code) {
    const char letter = static_cast<char>('A' + code);
    const std::int16_t row = kRowOfLetter[static_cast<std::size_t>(code)];
    const struct {
      int band;
      Colour face;
    } sets[] = {{atlas::kLetterBand, palette::Face(row)},
                {atlas::kLandedBand, palette::kLandedFace},
                {atlas::kArmouredBand, palette::ArmouredFace(row)}};
    for (const auto& set : sets) {
      const Point place = atlas::LetterTile(code, set.band);
      DrawTile(canvas, place.x, place.y, Solid(set.face));
      DrawTileLetter(canvas, place.x, place.y, fonts.italic, letter);
    }
  }
}

// `count` letterless tiles side by side from (x, y), their faces taken in turn.
void DrawPlainTiles(Canvas& canvas, int firstX, int y, int count, std::initializer_list<Colour> faces) {
  for (int turn = 0; turn < count; ++turn) {
    const int x = firstX + kCell * turn;
    DrawTile(canvas, x, y, Solid(faces.begin()[static_cast<std::size_t>(turn) % faces.size()]));
  }
}

// Past the last letter of a band's second row, the row is filled with plain tiles to the edge.
void DrawPlainBands(Canvas& canvas) {
  constexpr int kAfterLetters = atlas::LetterTile(kLetterZ, 0).x + kCell;
  constexpr int kToEdge = (atlas::kSize - kAfterLetters) / kCell;
  constexpr Point kFirstBlock = atlas::BlockTile(0);
  constexpr Point kFirstItem = atlas::ItemTile(ItemBonus);
  constexpr int kItems = ItemBox - ItemBonus + 1;
  constexpr int kSpareX = kFirstItem.x + kCell * kItems;
  const int y = kFirstItem.y;
  // Block tiles for the curtain and the row markers, the item tiles, then spare green ones.
  DrawPlainTiles(canvas, kFirstBlock.x, kFirstBlock.y, kKeyboardRows,
                 {palette::Face(RowTop), palette::Face(RowHome), palette::Face(RowBottom)});
  for (int item = 0; item < kItems; ++item) {
    DrawTile(canvas, kFirstItem.x + kCell * item, y, GradientFace(y, palette::kItemFaces[item]));
  }
  DrawPlainTiles(canvas, kSpareX, y, (atlas::kSize - kSpareX) / kCell, {palette::Face(RowHome)});
  DrawPlainTiles(canvas, kAfterLetters, atlas::kLandedBand + kCell, kToEdge, {palette::kLandedFace});
  DrawPlainTiles(canvas, kAfterLetters, atlas::kArmouredBand + kCell, kToEdge,
                 {palette::ArmouredFace(RowTop), palette::ArmouredFace(RowHome), palette::ArmouredFace(RowBottom)});
}

Rect DigitCell(Point glyph) { return {glyph.x, glyph.y, atlas::kDigitWidth, atlas::kDigitHeight}; }

void DrawPanelLettering(Canvas& canvas, const Fonts& fonts) {
  for (int digit = 0; digit < 10; ++digit) {
    const Rect plain = DigitCell(atlas::DigitGlyph(digit));
    const Rect bright = DigitCell(atlas::BrightDigitGlyph(digit));
    DrawDigit(canvas, plain, fonts, digit, SilverShade(plain));
    DrawDigit(canvas, bright, fonts, digit, GoldShade(bright));
  }
  const Rect label = atlas::kLevelLabel;
  // A gold label beside the gold digits, which the game does not use.
  const Rect goldLabel{label.x, atlas::BrightDigitGlyph(0).y, label.w, label.h};
  DrawDigitText(canvas, label, fonts, "Lv", SilverShade(label));
  DrawDigitText(canvas, goldLabel, fonts, "Lv", GoldShade(goldLabel));
  DrawPercent(canvas, atlas::kPercentGlyph, fonts);
  DrawWarningBanner(canvas, atlas::kWarningBanner, fonts);
  DrawReadyBanner(canvas, atlas::kReadyBanner, fonts);
  DrawScoreFrame(canvas, atlas::kScoreFrame);
}

}  // namespace

Canvas BuildAtlas(const Fonts& fonts) {
  Canvas canvas(atlas::kSize, atlas::kSize, kBlack);
  DrawLetterBands(canvas, fonts);
  DrawPlainBands(canvas);
  DrawPanelLettering(canvas, fonts);
  return canvas;
}

}  // namespace zelvane::art
