// The game-over curtain of random blocks, the GAME OVER lettering and the hold.
#include <array>

#include "game/mform.h"
#include "sequences/game_over.h"

namespace zelvane {
namespace {

constexpr std::int16_t kCurtainDone = kRows;

}  // namespace

void Mform::GOtimer_Timer() {
  if (state.curtainRow != kCurtainDone) {
    DropCurtainBlock();
  } else {
    ShowGameOver();
  }
}

// The curtain walks the rows in turn, left to right and back, one block a tick.
void Mform::DropCurtainBlock() {
  const int block = random.UniformInt(3);
  // At each turn the walk stands one column outside the field, where the block is dropped.
  Blit(Mpc, kCell * state.curtainCol, kCell * state.curtainRow, kCell, kCell, atlas::BlockTile(block));
  state.curtainCol = static_cast<std::int16_t>(state.curtainCol + state.curtainDir);
  if (state.curtainCol == kColumns && state.curtainDir == 1) {
    state.curtainDir = -1;
    ++state.curtainRow;
  } else if (state.curtainCol == -1 && state.curtainDir == -1) {
    state.curtainDir = 1;
    ++state.curtainRow;
  }
  Mpc.Present();
}

// The curtain is complete: GAME OVER stands on it for the hold.
void Mform::ShowGameOver() {
  GOtimer.Disable();
  state.curtainRow = 0;
  state.curtainCol = 0;
  for (const Lettering& letter : kGameOverLettering) DrawSlot(letter.code, letter.column, letter.row, 1);
  OVtimer.Enable();
  PlayCue(cue::kGameOver);
  Mpc.Present();
}

void Mform::OVtimer_Timer() {
  EnterFinalScore();
  OVtimer.Disable();
  WIpc.Clear();
  WIpc.Present();
  PointCtimer.Enable();
}

}  // namespace zelvane
