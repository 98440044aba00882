#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/random.h"
#include "game/timer.h"
#include "records/records_file.h"
#include "screen/atlas_regions.h"
#include "screen/button.h"
#include "screen/image.h"
#include "screen/layout.h"
#include "screen/panel.h"
#include "sound/cue_player.h"
#include "sound/cues.h"

namespace zelvane {

// The main window: the whole game. It owns the game state, the panels, the
// buttons and the seven timers, and every handler and procedure works on them
// directly. The window system (the SDL loop in src/platform/, or a test on a
// virtual clock) delivers events through the Deliver* calls, one at a time;
// each runs its handler to completion and returns.
//
// Handlers and procedures are defined in the file of their subsystem, named
// beside each below. The game keeps no phase variable: game/phase.h reads the
// phase off the timers and switches.
class Mform {
 public:
  // The records file is read and written through `files`.
  Mform(const Image& atlas, CuePlayer& cues, FileSystem& files = NativeFiles());

  // ---- Events from the window system (mform.cpp) ----
  // Each carries the moment it happens, in milliseconds on the window system's
  // clock; the handler and the timers it starts see it as clock.now.
  void DeliverLoad(std::int64_t now);
  // Reaches Form_KeyDown only while KeyPreview is on.
  void DeliverKeyDown(std::int64_t now, std::int16_t keyCode, std::int16_t shift);
  // Reaches Cm1_Click only for an enabled button.
  void DeliverClick(std::int64_t now, std::int16_t index);
  void DeliverClose(std::int64_t now);
  // Delivers the tick of the enabled timer due earliest at or before `now`;
  // false when none is due.
  bool DeliverDueTick(std::int64_t now);
  // When the next tick falls due, if any timer runs.
  std::optional<std::int64_t> NextDue() const;
  // Shows every panel's whole picture again, as after an expose.
  void RepaintAll();

  // Set by End or a close: the window system stops delivering and exits with
  // ExitStatus(), 1 when the records could not be saved.
  bool EndRequested() const { return endRequested_; }
  int ExitStatus() const { return exitStatus_; }
  // Why the last save failed, in the words of its line on standard error; empty after a good one.
  const std::string& SaveProblem() const { return saveProblem_; }
  // While End or a close waits to save the records (another game is saving,
  // another program holds the file): nothing but the wait goes on, NextDue
  // tells when the save is tried again, and End, shown again, or a second
  // close gives the save up.
  bool SaveWaiting() const { return saveRetryAt_.has_value(); }
  // What the player should read in a message box where standard error is
  // never seen (Windows), each told once: a file kept aside, a save that
  // waits, a folder that takes no records. Taking them empties the list.
  std::vector<std::string> TakeNotices();

  // ---- Handlers: what fires each, and where it is defined ----
  // The window is created: seeds the random numbers, draws the score frame,
  // reads the records. game/phases.cpp
  void Form_Load();
  // A key press during play, with its key code (screen/virtual_keys.h) and
  // shift mask. game/typing.cpp
  void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
  // The window is closed other than by End (or the session ends): saves the
  // records, the score of a game under its curtain or hold entered first. game/phases.cpp
  void Form_Unload();
  // Start (0) or End (1) is clicked, only while waiting. game/phases.cpp
  void Cm1_Click(std::int16_t index);
  // Each step of the title sequence. sequences/title.cpp
  void OPtimer_Timer();
  // The ready delay is over: play begins. game/phases.cpp
  void STtimer_Timer();
  // The wave falls a row, or lands. game/descent.cpp
  void GMtime_Timer();
  // The warning blinks. game/hud.cpp
  void ATtimer_Timer();
  // A block of the game-over curtain, then GAME OVER. sequences/game_over.cpp
  void GOtimer_Timer();
  // The game-over hold is over: the score enters the table. sequences/game_over.cpp
  void OVtimer_Timer();
  // Each step of the results. sequences/results.cpp
  void PointCtimer_Timer();

  // ---- Shared procedures, and where they are defined ----
  // Deals a new wave into row 0 for the current level. game/wave.cpp
  void SpawnWave();
  // Draws one slot's tile into a playfield cell. game/wave.cpp
  void DrawSlot(std::int16_t code, std::int16_t column, std::int16_t row, std::int16_t hits);
  // Draws the whole wave in its row. game/wave.cpp
  void DrawWave();
  // The wave reaches the bottom: level, pile, row counts, items. game/descent.cpp
  void LandWave();
  // The danger line, the score and the level. game/hud.cpp
  void DrawHud();
  // One row of the high-score table at titlePos, rank 0 the best. sequences/title.cpp
  void DrawRecordRow(std::int16_t rank);
  // Counts a letter for its keyboard row, or updates the rates; `mode` is
  // kCountLanded, kCountSpawned or kUpdateRates. game/row_stats.cpp
  void CountRowStat(std::int16_t code, std::int16_t mode);
  // Reads "jkl.yen" into hiScores. game/records_handlers.cpp
  void LoadRecords();
  // Enters this run's scores into the table in "jkl.yen" as it is now, and
  // writes it; whether the records reached the disk. game/records_handlers.cpp
  bool SaveRecords();
  // Enters the finished game's score into hiScores, and keeps it for the
  // save if it entered. game/records_handlers.cpp
  void InsertRecord();
  // Under the curtain or the hold the game is over and its score final: it
  // enters the table now, as a close does, and the hold's end does not enter
  // it again. Elsewhere nothing happens. game/phases.cpp
  void EnterFinalScore();
  // Enters scores from another records file as finished games' would enter,
  // kept for the save like theirs. game/records_handlers.cpp
  void EnterScores(const HiScores& scores);
  // End or a close: saves the records and ends the process, once the save is
  // done, failed or given up. game/records_handlers.cpp
  void EndAfterSaving();

  // ---- The window's contents ----
  // Now, in milliseconds, as the last delivery gave it; the timers count from it.
  Clock clock;
  GameState state;
  Random random;

  // The panels, each with a persistent picture, sized as the layout places them.
  Panel Mpc{layout::kMpc.w, layout::kMpc.h};     // the playfield
  Panel SCpc{layout::kSCpc.w, layout::kSCpc.h};  // the score in its frame
  Panel LVpc{layout::kLVpc.w, layout::kLVpc.h};  // the level
  Panel ATpc{layout::kATpc.w, layout::kATpc.h};  // the blinking warning
  Panel WIpc{layout::kWIpc.w, layout::kWIpc.h};  // the high scores while no game runs; the results after one
  // The hidden panel holding the sprite atlas, which every copy reads from.
  const Image& Kpc;

  // Start (0) and End (1); positions in twips.
  std::array<CommandButton, 2> Cm1;
  // On only during play: whether key presses reach Form_KeyDown.
  bool KeyPreview = false;
  Rgb BackColor = 0x808080;  // grey until the load turns it black

  // The descent period at every start of play, in milliseconds.
  static constexpr std::int32_t kFirstDescentPeriod = 1000;
  // The seven timers, their periods in milliseconds.
  Timer OPtimer{clock, 5, true};                    // the title sequence
  Timer STtimer{clock, 3000, false};                // the ready delay before play
  Timer GMtime{clock, kFirstDescentPeriod, false};  // the descent; hits shorten it, the slow item lengthens it
  Timer ATtimer{clock, 200, false};                 // the warning's blink, from the tenth landed letter
  Timer GOtimer{clock, 10, false};                  // the game-over curtain
  Timer OVtimer{clock, 2500, false};                // the game-over hold
  Timer PointCtimer{clock, 1500, false};            // the results

 private:
  struct TimerBinding {
    Timer Mform::*timer;
    void (Mform::*handler)();
  };
  static const std::array<TimerBinding, 7> kTimers;

  // Copies an atlas rectangle into a panel, its top-left corner at (x, y).
  void Blit(Panel& panel, int x, int y, int width, int height, Point from);
  void Blit(Panel& panel, int x, int y, const Rect& region);
  // Blacks out the wave's row, before it moves down or after it is cleared. game/descent.cpp
  void EraseWaveRow();
  void PlayCue(const char* name) { cues_.Play(name); }
  void EndProcess(int status);
  // The player gave up a save that waits. game/records_handlers.cpp
  void GiveUpSaving();
  // One line on standard error; and in `notices_` too.
  void Say(const std::string& line);
  void Tell(const std::string& line);
  // The title sequence's start values: at load and after every game. game/phases.cpp
  void SetTitleStartValues();
  // Steps of the phases, each made by the handler that ends the old phase.
  void StartReadyDelay();              // Start clicked: the ready banner. game/phases.cpp
  void StartWarning();                 // the tenth letter landed. game/descent.cpp
  void EndPlay();                      // the fifteenth letter landed. game/descent.cpp
  void DropCurtainBlock();             // sequences/game_over.cpp
  void ShowGameOver();                 // the curtain is complete. sequences/game_over.cpp
  void ShowRowRate(std::int16_t row);  // one line of the results. sequences/results.cpp
  void RestartTitle();                 // the results are over. sequences/results.cpp
  // Lets fill boxes, lines and clears of the handler just run reach the screen.
  void HandlerReturned();
  std::array<Panel*, 5> Panels();

  CuePlayer& cues_;
  FileSystem& files_;
  // The table as loaded, and the scores this run entered, for merging with other games' at a save.
  RecordsRun records_;
  std::string saveProblem_;
  // The game under the curtain or hold has entered its score already.
  bool finalScoreEntered_ = false;
  SaveWait saveWait_ = SaveWait::None;
  SavePauses savePauses_;
  std::optional<std::int64_t> saveRetryAt_;
  std::int64_t waitingSince_ = 0;
  std::vector<std::string> notices_;
  bool toldKeptAside_ = false;
  bool toldWaiting_ = false;
  bool endRequested_ = false;
  int exitStatus_ = 0;
};

}  // namespace zelvane
