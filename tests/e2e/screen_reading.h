#pragma once

// Reading the game's window from screenshots: which atlas pictures stand where.
#include <cstdint>
#include <optional>
#include <vector>

#include "screen/image.h"
#include "screen/layout.h"

namespace zelvane::e2e {

// Where the playfield's and the records panel's drawing areas start in the client area.
inline constexpr Point kField{layout::kMpc.x, layout::kMpc.y};
inline constexpr Point kRecords{layout::kWIpc.x, layout::kWIpc.y};
inline constexpr Point kStartClick{432, 32};
inline constexpr Point kEndClick{432, 72};

// Whether `shot` at `at` shows the `from` part of `source`, pixel for pixel.
bool SameAs(const Image& shot, Point at, const Image& source, Rect from);
bool AllBlack(const Image& shot, Rect box);
// One pixel of each scale x scale block of `shot`: the game's own pixels.
Image Reduced(const Image& shot, int scale);

// The top-left of a playfield cell in the client area.
Point Cell(int column, int row);
Rect CellBox(int column, int row);

// Which letter's plain tile a playfield cell shows, if any.
std::optional<int> LetterIn(const Image& shot, int column, int row);
// Which letter's tile on the pile a playfield cell shows, if any.
std::optional<int> LandedIn(const Image& shot, int column, int row);

struct FallingWave {
  int row = 0;
  // Column by column.
  std::vector<int> letters;
};
// The wave of plain letters falling in rows 0 to 5, the rest of the descent
// rows black. In row 6 the danger line crosses the tiles' last pixel row.
std::optional<FallingWave> FallingWaveIn(const Image& shot);

bool ReadyBannerShown(const Image& shot);
// Start and End have slid in and wait at rest.
bool ButtonsWaiting(const Image& shot);
// The score panel shows `score` in its six digits.
bool ScoreShows(const Image& shot, std::int32_t score);
// The title's records row `rank` (0 the best) shows `score`.
bool RecordShows(const Image& shot, int rank, std::int32_t score);
// The score panel's number and a records row's, where they show six digits.
std::optional<std::int32_t> ScoreIn(const Image& shot);
std::optional<std::int32_t> RecordIn(const Image& shot, int rank);
// GAME OVER stands in letter tiles over the playfield.
bool GameOverShown(const Image& shot);
// The rate of keyboard row `row` as the results display shows it: its
// coloured marker, a number and the percent sign. Nothing while the line is not shown.
std::optional<int> ResultRateShown(const Image& shot, int row);

}  // namespace zelvane::e2e
