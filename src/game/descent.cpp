// The falling wave: one row per descent tick, and the landing on the pile.
#include "game/mform.h"
#include "game/saturate.h"

namespace zelvane {
namespace {

constexpr std::int16_t kPileSize = 15;
constexpr std::int16_t kWarningPile = 10;

std::int16_t LevelForScore(std::int32_t score) {
  if (score < 1000) return 1;
  if (score < 3200) return 2;
  if (score < 8500) return 3;
  return 4;
}

// The pile fills row 9 from the left, then row 8, then row 7.
Point PileCell(std::int16_t pileCount) {
  if (pileCount < 5) return {pileCount, 9};
  if (pileCount < 10) return {pileCount - 5, 8};
  return {pileCount - 10, 7};
}

}  // namespace

void Mform::GMtime_Timer() {
  if (state.waveRow != kLandingRow) {
    EraseWaveRow();
    ++state.waveRow;
    DrawWave();
  } else {
    state.waveRow = 0;
    // Stops above the danger line.
    Mpc.FillBox(0, kLandingRow * kCell, kPlayfieldWidth - 1, kDangerLineY - 1, Black);
    LandWave();
    SpawnWave();
  }
  DrawHud();
}

void Mform::EraseWaveRow() {
  Mpc.FillBox(0, state.waveRow * kCell, kPlayfieldWidth - 1, state.waveRow * kCell + kCell - 1, Black);
}

void Mform::LandWave() {
  state.level = LevelForScore(state.score);
  for (const std::int16_t code : state.slotCode) {
    if (code < ItemBonus) {
      PlayCue(cue::kLetterLands);
      CountRowStat(code, kCountLanded);
      CountRowStat(SlotEmpty, kUpdateRates);
      if (state.pileCount == kPileSize - 1) EndPlay();
      const Point cell = PileCell(state.pileCount);
      // Letters after the fifteenth would fall beside the playfield: not drawn.
      if (cell.x < kColumns) {
        Blit(Mpc, cell.x * kCell, cell.y * kCell, kCell, kCell, atlas::LetterTile(code, atlas::kLandedBand));
      }
      state.pileCount = AddSaturated(state.pileCount, 1);
      if (state.warnPhase == 0 && !ATtimer.Enabled() && state.pileCount >= kWarningPile) StartWarning();
    } else if (code == ItemBonus) {
      state.score = AddSaturated(state.score, static_cast<std::int16_t>(state.level * 200));
      PlayCue(cue::kItemLands);
      DrawHud();
    } else if (code == ItemSlow) {
      GMtime.SetInterval(AddSaturated(GMtime.Interval(), 50));
      PlayCue(cue::kItemLands);
      DrawHud();
    } else if (code == ItemReset) {
      state.level = 1;
      PlayCue(cue::kItemLands);
      DrawHud();
    }
  }
}

// The fifteenth letter is landing: the warning and the descent stop, keys no
// longer reach the game, and the curtain begins. warnPhase stays 1, so the
// rest of the wave cannot start the warning again.
void Mform::EndPlay() {
  ATtimer.Disable();
  state.warnPhase = 1;
  ATpc.Clear();
  ATpc.Present();
  KeyPreview = false;
  GMtime.Disable();
  GOtimer.Enable();
}

// The first blink, one period later, shows the banner.
void Mform::StartWarning() {
  ATtimer.Enable();
  state.warnPhase = 1;
}

}  // namespace zelvane
