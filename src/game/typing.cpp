// The player's key presses during play: hits, armour, boxes and misses.
#include "game/mform.h"
#include "game/saturate.h"
#include "screen/virtual_keys.h"

namespace zelvane {
namespace {

constexpr std::int32_t kFastestDescent = 100;

}  // namespace

void Mform::Form_KeyDown(std::int16_t KeyCode, [[maybe_unused]] std::int16_t Shift) {
  if (KeyCode != vk::Keypad3) {
    bool hit = false;
    for (std::size_t i = 0; i < kColumns; ++i) {
      std::int16_t& code = state.slotCode[i];
      std::int16_t& hits = state.slotHits[i];
      if (code >= ItemBonus) {
        if (code == ItemBox && KeyCode == vk::Space && !hit) {
          hit = true;
          const auto r = static_cast<std::int16_t>(random.Next() * 3 + 1);
          code = static_cast<std::int16_t>(ItemBox - r);
          PlayCue(cue::kBoxOpened);
          state.score = AddSaturated(state.score, 10);
        }
      } else if (KeyCode - vk::LetterA == code && !hit) {
        hit = true;
        --hits;
        if (hits != 0) {
          state.score = AddSaturated(state.score, static_cast<std::int16_t>(state.level * 10));
          PlayCue(cue::kArmourHit);
        } else {
          code = SlotEmpty;
          state.score = AddSaturated(state.score, static_cast<std::int16_t>(state.level * 20));
          PlayCue(cue::kLetterDestroyed);
        }
      }
    }
    if (hit) {
      GMtime.SetInterval(AddSaturated(GMtime.Interval(), -1));
      if (GMtime.Interval() < kFastestDescent) GMtime.SetInterval(kFastestDescent);
    } else {
      state.score = AddSaturated(state.score, -static_cast<std::int16_t>(state.level * 100 + 50));
      PlayCue(cue::kMiss);
      if (state.score < 0) state.score = 0;
    }
  }
  bool cleared = true;
  for (const std::int16_t code : state.slotCode) cleared = cleared && code == SlotEmpty;
  if (cleared) {
    EraseWaveRow();
    state.waveRow = 0;
    LandWave();
    SpawnWave();
  }
  DrawWave();
  DrawHud();
}

}  // namespace zelvane
