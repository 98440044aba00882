#pragma once

#include <cstdint>

#include "screen/image.h"
#include "screen/playfield.h"

// Where each picture stands in the sprite atlas. Our atlas tool draws them
// there, and the game copies them from there. A tile fills a playfield cell.
namespace zelvane::atlas {

inline constexpr int kSize = 600;
inline constexpr int kDigitWidth = 20;
inline constexpr int kDigitHeight = 30;

inline constexpr Rect kBlankTile{0, 60, kCell, kCell};
inline constexpr Rect kScoreFrame{16, 176, 128, 38};
inline constexpr Rect kLevelLabel{360, 180, 40, 30};
inline constexpr Rect kWarningBanner{420, 180, 135, 30};
inline constexpr Rect kReadyBanner{420, 210, 100, 30};
inline constexpr Rect kPercentGlyph{570, 210, 30, 30};

// The three letter bands: the plain tiles, the landed (grey) ones and the armoured ones.
// A..T stand in the band's first row, U..Z in the row below.
inline constexpr int kLetterBand = 0;
inline constexpr int kLandedBand = 90;
inline constexpr int kArmouredBand = 240;
inline constexpr int kLettersInFirstRow = 20;

constexpr Point LetterTile(std::int16_t code, int band) {
  return code < kLettersInFirstRow ? Point{code * kCell, band}
                                   : Point{(code - kLettersInFirstRow) * kCell, band + kCell};
}

// Items 95..98 at x 270, 300, 330, 360 in the second row.
constexpr Point ItemTile(std::int16_t code) { return {(code - 86) * kCell, kCell}; }

// Block tile k (0 red, 1 green, 2 blue): the colours of the keyboard rows.
constexpr Point BlockTile(int k) { return {180 + k * kCell, kCell}; }

constexpr Point DigitGlyph(int digit) { return {160 + digit * kDigitWidth, 180}; }
constexpr Point BrightDigitGlyph(int digit) { return {160 + digit * kDigitWidth, 210}; }

}  // namespace zelvane::atlas
