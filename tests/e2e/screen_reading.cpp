#include "screen_reading.h"

#include <array>
#include <utility>

#include "game/score_digits.h"
#include "screen/atlas.h"
#include "screen/atlas_regions.h"
#include "sequences/game_over.h"
#include "window/button_look.h"
#include "window/captions_layout.h"

namespace zelvane::e2e {
namespace {

constexpr Point kScoreDigits{layout::kSCpc.x + 4, layout::kSCpc.y + 4};
// The best score's row, 0, in bright digits, the others below it.
constexpr Point RecordDigits(int rank) { return {kRecords.x, kRecords.y + kCell * rank}; }
// Rows 0 to 6; the danger line is row 6's last pixel row.
constexpr int kDescentRows = 7;

bool DigitAt(const Image& shot, Point at, int digit, bool bright) {
  const Point glyph = bright ? atlas::BrightDigitGlyph(digit) : atlas::DigitGlyph(digit);
  return SameAs(shot, at, Atlas(), {glyph.x, glyph.y, atlas::kDigitWidth, atlas::kDigitHeight});
}

bool SixDigitsAt(const Image& shot, Point at, std::int32_t score, bool bright) {
  const std::array<int, 6> digits = SixScoreDigits(score);
  for (int i = 0; i < 6; ++i) {
    if (!DigitAt(shot, {at.x + i * atlas::kDigitWidth, at.y}, digits[static_cast<std::size_t>(i)], bright)) {
      return false;
    }
  }
  return true;
}

std::optional<int> DigitIn(const Image& shot, Point at, bool bright = false) {
  for (int digit = 0; digit < 10; ++digit) {
    if (DigitAt(shot, at, digit, bright)) return digit;
  }
  return std::nullopt;
}

std::optional<std::int32_t> SixDigitsIn(const Image& shot, Point at, bool bright) {
  std::int32_t number = 0;
  for (int i = 0; i < 6; ++i) {
    const std::optional<int> digit = DigitIn(shot, {at.x + i * atlas::kDigitWidth, at.y}, bright);
    if (!digit) return std::nullopt;
    number = number * 10 + *digit;
  }
  return number;
}

}  // namespace

bool SameAs(const Image& shot, Point at, const Image& source, Rect from) {
  if (at.x + from.w > shot.Width() || at.y + from.h > shot.Height()) return false;
  for (int y = 0; y < from.h; ++y) {
    for (int x = 0; x < from.w; ++x) {
      if (shot.At(at.x + x, at.y + y) != source.At(from.x + x, from.y + y)) return false;
    }
  }
  return true;
}

bool AllBlack(const Image& shot, Rect box) {
  for (int y = box.y; y < box.Bottom(); ++y) {
    for (int x = box.x; x < box.Right(); ++x) {
      if (shot.At(x, y) != Black) return false;
    }
  }
  return true;
}

Image Reduced(const Image& shot, int scale) {
  Image small(shot.Width() / scale, shot.Height() / scale);
  for (int y = 0; y < small.Height(); ++y) {
    for (int x = 0; x < small.Width(); ++x) small.Set(x, y, shot.At(x * scale, y * scale));
  }
  return small;
}

Point Cell(int column, int row) { return {kField.x + kCell * column, kField.y + kCell * row}; }

Rect CellBox(int column, int row) { return {Cell(column, row).x, Cell(column, row).y, kCell, kCell}; }

std::optional<int> LetterIn(const Image& shot, int column, int row) {
  for (std::int16_t code = 0; code < 26; ++code) {
    const Point tile = atlas::LetterTile(code, atlas::kLetterBand);
    if (SameAs(shot, Cell(column, row), Atlas(), {tile.x, tile.y, kCell, kCell})) return code;
  }
  return std::nullopt;
}

std::optional<int> LandedIn(const Image& shot, int column, int row) {
  for (std::int16_t code = 0; code < 26; ++code) {
    const Point tile = atlas::LetterTile(code, atlas::kLandedBand);
    if (SameAs(shot, Cell(column, row), Atlas(), {tile.x, tile.y, kCell, kCell})) return code;
  }
  return std::nullopt;
}

std::optional<FallingWave> FallingWaveIn(const Image& shot) {
  std::optional<FallingWave> found;
  for (int row = 0; row < kDescentRows; ++row) {
    FallingWave wave{row, {}};
    for (int column = 0; column < 5; ++column) {
      Rect empty = CellBox(column, row);
      if (row == kDescentRows - 1) --empty.h;
      if (const auto letter = LetterIn(shot, column, row)) {
        wave.letters.push_back(*letter);
      } else if (!AllBlack(shot, empty)) {
        return std::nullopt;
      }
    }
    if (wave.letters.empty()) continue;
    if (found) return std::nullopt;
    found = std::move(wave);
  }
  return found;
}

bool ReadyBannerShown(const Image& shot) {
  return SameAs(shot, {kField.x + 20, kField.y + 135}, Atlas(), atlas::kReadyBanner);
}

// End, enabled and at rest at 400, 56: its caption is on the face, two pixels in, centred.
bool ButtonsWaiting(const Image& shot) {
  const Rect endCaption{0, captions::CellIndex(1, true) * captions::kCellHeight, captions::kCellWidth,
                        captions::kCellHeight};
  return shot.At(400, 56) == shade::Highlight && shot.At(399, 56) == Black &&
         SameAs(shot, {402, 64}, ButtonCaptions(), endCaption) && shot.At(405, 30) == shade::Face;
}

bool ScoreShows(const Image& shot, std::int32_t score) { return SixDigitsAt(shot, kScoreDigits, score, false); }

bool RecordShows(const Image& shot, int rank, std::int32_t score) {
  return SixDigitsAt(shot, RecordDigits(rank), score, rank == 0);
}

std::optional<std::int32_t> ScoreIn(const Image& shot) { return SixDigitsIn(shot, kScoreDigits, false); }

std::optional<std::int32_t> RecordIn(const Image& shot, int rank) {
  return SixDigitsIn(shot, RecordDigits(rank), rank == 0);
}

bool GameOverShown(const Image& shot) {
  for (const Lettering& letter : kGameOverLettering) {
    if (LetterIn(shot, letter.column, letter.row) != letter.code) return false;
  }
  return true;
}

std::optional<int> ResultRateShown(const Image& shot, int row) {
  const int top = kRecords.y + 20 + 35 * row;
  const Point marker = atlas::BlockTile(row);
  if (!SameAs(shot, {kRecords.x, top}, Atlas(), {marker.x, marker.y, kCell, kCell}) ||
      !SameAs(shot, {kRecords.x + 90, top}, Atlas(), atlas::kPercentGlyph)) {
    return std::nullopt;
  }
  // Leading zeros stay empty: each place is a digit or black.
  int rate = 0;
  for (int place = 0; place < 3; ++place) {
    const Point at{kRecords.x + 30 + atlas::kDigitWidth * place, top};
    const std::optional<int> digit = DigitIn(shot, at);
    if (!digit && (place == 2 || !AllBlack(shot, {at.x, at.y, atlas::kDigitWidth, atlas::kDigitHeight}))) {
      return std::nullopt;
    }
    rate = rate * 10 + digit.value_or(0);
  }
  return rate;
}

}  // namespace zelvane::e2e
