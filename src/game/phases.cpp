// The start-up, the two buttons and the ready delay: the handlers that move the
// game from one phase to the next outside play.
#include "game/mform.h"
#include "game/phase.h"

namespace zelvane {

void Mform::Form_Load() {
  random.SeedFromClock();
  Blit(SCpc, 0, 0, atlas::kScoreFrame);
  SCpc.Present();
  SetTitleStartValues();
  LoadRecords();
  BackColor = Black;
}

void Mform::Cm1_Click(std::int16_t index) {
  Cm1[0].enabled = false;
  Cm1[1].enabled = false;
  Cm1[0].left = layout::kButtonOutLeft;
  Cm1[1].left = layout::kButtonOutLeft;
  if (index == 0) {
    StartReadyDelay();
  } else if (index == 1) {
    EndAfterSaving();
  }
}

// Start: the ready banner stands in the playfield for the ready delay.
void Mform::StartReadyDelay() {
  PlayCue(cue::kStart);
  Mpc.Clear();
  Blit(Mpc, 20, 135, atlas::kReadyBanner);
  Mpc.Present();
  STtimer.Enable();
  state.score = 0;
  finalScoreEntered_ = false;
}

// The title sequence starts from these, at start-up and after every game.
void Mform::SetTitleStartValues() {
  state.level = 1;
  state.titleStep = 0;
  state.titlePos = 148;
  state.titleSpeed = 120;
}

// Closing the window keeps the session's scores, just as End does, the
// score of a game under its curtain or hold among them.
void Mform::Form_Unload() {
  EnterFinalScore();
  EndAfterSaving();
}

void Mform::EnterFinalScore() {
  const std::optional<Phase> phase = PhaseOf(*this);
  if ((phase != Phase::Curtain && phase != Phase::Hold) || finalScoreEntered_) return;
  InsertRecord();
  finalScoreEntered_ = true;
}

void Mform::STtimer_Timer() {
  STtimer.Disable();
  Mpc.Clear();
  DrawHud();
  state.level = 1;
  state.waveRow = 0;
  state.score = 0;
  state.pileCount = 0;
  for (int row = 0; row < kKeyboardRows; ++row) {
    state.rowSpawned[static_cast<std::size_t>(row)] = 0;
    state.rowLanded[static_cast<std::size_t>(row)] = 0;
  }
  state.curtainDir = 1;
  state.warnPhase = 0;
  GMtime.SetInterval(kFirstDescentPeriod);
  SpawnWave();
  GMtime.Enable();
  KeyPreview = true;
}

}  // namespace zelvane
