#pragma once

#include <array>
#include <cstdint>

#include "records/high_scores.h"
#include "records/keyboard_rows.h"
#include "screen/playfield.h"

namespace zelvane {

// What a slot of the wave holds. Letters are 0..25 (A..Z), typed with the key
// code vk::LetterA + code (screen/virtual_keys.h).
inline constexpr std::int16_t kLetterA = 0;
inline constexpr std::int16_t kLetterZ = 25;
inline constexpr std::int16_t ItemBonus = 95;
inline constexpr std::int16_t ItemSlow = 96;
inline constexpr std::int16_t ItemReset = 97;
inline constexpr std::int16_t ItemBox = 98;
inline constexpr std::int16_t SlotEmpty = 99;

// The one record of game state. Every field is 0 when the window is created;
// Form_Load sets the few that start otherwise. Each field: its range, then the
// files that write it (under src/).
struct GameState {
  // 0..10: the playfield row of the next curtain block. sequences/game_over.cpp
  std::int16_t curtainRow = 0;
  // -1..5: its column; -1 and 5 are the turns just outside the field. sequences/game_over.cpp
  std::int16_t curtainCol = 0;
  // -1, 0 or 1: the curtain's step per tick; 1 from the first start of play on.
  // game/phases.cpp, sequences/game_over.cpp
  std::int16_t curtainDir = 0;
  // 0 or 1: 1 when the next warning tick shows the banner, 0 when it clears it;
  // 1 from game over until the next start of play, which keeps the warning from
  // restarting. game/phases.cpp, game/descent.cpp, game/hud.cpp
  std::int16_t warnPhase = 0;
  // 0..13: the step of the title sequence; 13 while the buttons wait.
  // game/phases.cpp, sequences/title.cpp
  std::int16_t titleStep = 0;
  // -30..7200: where the title sequence's moving part stands: pixels in WIpc for
  // a records row, twips for a button. game/phases.cpp, sequences/title.cpp
  std::int16_t titlePos = 0;
  // 6..120: the title sequence's sliding speed. game/phases.cpp, sequences/title.cpp
  std::int16_t titleSpeed = 0;
  // 0..6: the step of the results. sequences/results.cpp
  std::int16_t resultStep = 0;
  // The five best scores, best first. game/records_handlers.cpp
  HiScores hiScores{};
  // 0 and up: this game's score, or the last game's until the next Start.
  // game/phases.cpp, game/typing.cpp, game/descent.cpp
  std::int32_t score = 0;
  // 1..4 from the load on: sets how many objects a wave holds. game/phases.cpp,
  // game/descent.cpp
  std::int16_t level = 0;
  // Slot codes (above) of the wave's five columns. game/wave.cpp, game/typing.cpp
  std::array<std::int16_t, kColumns> slotCode{};
  // 0..2: presses each slot still needs; 1 for an item, 0 for an empty slot.
  // game/wave.cpp, game/typing.cpp
  std::array<std::int16_t, kColumns> slotHits{};
  // 0..6: the playfield row the wave is drawn in; a new wave starts at 0.
  // game/phases.cpp, game/descent.cpp, game/typing.cpp
  std::int16_t waveRow = 0;
  // 0..19: letters landed this game. The fifteenth ends it; the rest of its wave
  // still counts. game/phases.cpp, game/descent.cpp
  std::int16_t pileCount = 0;
  // 0..100 per keyboard row: the percentage of spawned letters kept from
  // landing. game/row_stats.cpp
  std::array<std::int16_t, kKeyboardRows> rowRate{};
  // 0 and up per keyboard row: letters landed this game. game/phases.cpp, game/row_stats.cpp
  std::array<std::int16_t, kKeyboardRows> rowLanded{};
  // 0 and up per keyboard row: letters spawned this game. game/phases.cpp, game/row_stats.cpp
  std::array<std::int16_t, kKeyboardRows> rowSpawned{};
};

}  // namespace zelvane
