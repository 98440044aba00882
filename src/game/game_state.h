#pragma once

#include <array>
#include <cstdint>

namespace zelvane {

// What a slot of the wave holds. Letters are 0..25 (A..Z), typed with key code = code + 65.
inline constexpr std::int16_t kLetterA = 0;
inline constexpr std::int16_t kLetterZ = 25;
inline constexpr std::int16_t ItemBonus = 95;
inline constexpr std::int16_t ItemSlow = 96;
inline constexpr std::int16_t ItemReset = 97;
inline constexpr std::int16_t ItemBox = 98;
inline constexpr std::int16_t SlotEmpty = 99;

inline constexpr int kColumns = 5;
inline constexpr int kRows = 10;
inline constexpr int kCell = 30;
inline constexpr int kKeyboardRows = 3;
inline constexpr int kHiScoreCount = 5;

// Keyboard rows, used as indexes into the row statistics.
inline constexpr std::int16_t RowTop = 0;
inline constexpr std::int16_t RowHome = 1;
inline constexpr std::int16_t RowBottom = 2;

// What CountRowStat does: count a letter as landed, count it as spawned, or
// work out every row's rate anew (the code is then ignored).
inline constexpr std::int16_t kCountLanded = 0;
inline constexpr std::int16_t kCountSpawned = 1;
inline constexpr std::int16_t kUpdateRates = 2;

// The one record of game state. Every field is 0 when the window is created.
struct GameState {
  std::int16_t curtainRow = 0;
  std::int16_t curtainCol = 0;
  std::int16_t curtainDir = 0;
  std::int16_t warnPhase = 0;
  std::int16_t titleStep = 0;
  std::int16_t titlePos = 0;
  std::int16_t titleSpeed = 0;
  std::int16_t resultStep = 0;
  std::array<std::int32_t, kHiScoreCount> hiScores{};
  std::int32_t score = 0;
  std::int16_t level = 0;
  std::array<std::int16_t, kColumns> slotCode{};
  std::array<std::int16_t, kColumns> slotHits{};
  std::int16_t waveRow = 0;
  std::int16_t pileCount = 0;
  std::array<std::int16_t, kKeyboardRows> rowRate{};
  std::array<std::int16_t, kKeyboardRows> rowLanded{};
  std::array<std::int16_t, kKeyboardRows> rowSpawned{};
};

}  // namespace zelvane
