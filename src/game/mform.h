#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "game/game_state.h"
#include "game/random.h"
#include "game/timer.h"
#include "screen/atlas_regions.h"
#include "screen/button.h"
#include "screen/image.h"
#include "screen/panel.h"
#include "sound/cue_player.h"

namespace zelvane {

// The main window: the whole game. It owns the game state, the panels, the
// buttons and the seven timers, and every handler and procedure works on them
// directly. The window system (the SDL loop, or a test on a virtual clock)
// delivers events through the Deliver* calls, one at a time.
class Mform {
 public:
  Mform(const Image& atlas, CuePlayer& cues);

  // ---- Events from the window system ----
  void DeliverLoad();
  void DeliverKeyDown(std::int16_t keyCode, std::int16_t shift);
  void DeliverClick(std::int16_t index);
  void DeliverClose();
  // Delivers the tick of the enabled timer due earliest at or before `now`;
  // false when none is due.
  bool DeliverDueTick(std::int64_t now);
  // When the next tick falls due, if any timer runs.
  std::optional<std::int64_t> NextDue() const;
  void RepaintAll();

  bool EndRequested() const { return endRequested_; }
  int ExitStatus() const { return exitStatus_; }

  // ---- Handlers ----
  void Form_Load();
  void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
  void Form_Unload();
  void Cm1_Click(std::int16_t index);
  void OPtimer_Timer();
  void STtimer_Timer();
  void GMtime_Timer();
  void ATtimer_Timer();
  void GOtimer_Timer();
  void OVtimer_Timer();
  void PointCtimer_Timer();

  // ---- Shared procedures ----
  void SpawnWave();
  void DrawSlot(std::int16_t code, std::int16_t column, std::int16_t row, std::int16_t hits);
  void DrawWave();
  void LandWave();
  void DrawHud();
  void DrawRecordRow(std::int16_t rank);
  void CountRowStat(std::int16_t code, std::int16_t mode);
  void LoadRecords();
  // Whether the records reached the disk.
  bool SaveRecords();
  void InsertRecord();

  // ---- The window's contents ----
  Clock clock;
  GameState state;
  Random random;

  Panel Mpc{150, 300};
  Panel SCpc{128, 38};
  Panel LVpc{60, 30};
  Panel ATpc{135, 30};
  Panel WIpc{120, 150};
  const Image& Kpc;

  std::array<CommandButton, 2> Cm1;
  bool KeyPreview = false;
  Rgb BackColor = 0x808080;

  Timer OPtimer{clock, 5, true};
  Timer STtimer{clock, 3000, false};
  Timer GMtime{clock, 1000, false};
  Timer ATtimer{clock, 200, false};
  Timer GOtimer{clock, 10, false};
  Timer OVtimer{clock, 2500, false};
  Timer PointCtimer{clock, 1500, false};

 private:
  struct TimerBinding {
    Timer Mform::*timer;
    void (Mform::*handler)();
  };
  static const std::array<TimerBinding, 7> kTimers;

  // Copies an atlas rectangle into a panel, its top-left corner at (x, y).
  void Blit(Panel& panel, int x, int y, int width, int height, Point from);
  void Blit(Panel& panel, int x, int y, const Rect& region);
  void PlayCue(const char* name) { cues_.Play(name); }
  void EndProcess(int status);
  void SetTitleStartValues();
  // Steps of the phases, each made by the handler that ends the old phase.
  void StartReadyDelay();
  void StartWarning();
  void EndPlay();
  void DropCurtainBlock();
  void ShowGameOver();
  void ShowRowRate(std::int16_t row);
  void RestartTitle();
  // Lets fill boxes, lines and clears of the handler just run reach the screen.
  void HandlerReturned();
  std::array<Panel*, 5> Panels();

  CuePlayer& cues_;
  bool endRequested_ = false;
  int exitStatus_ = 0;
};

}  // namespace zelvane
