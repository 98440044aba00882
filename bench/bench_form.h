#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "game/mform.h"
#include "screen/atlas.h"
#include "support/form_fixture.h"
#include "support/virtual_clock.h"

namespace zelvane::bench {

using testing::Slots;

inline constexpr Slots kFiveLetters{0, 1, 2, 3, 4};
inline constexpr Slots kOneHitEach{1, 1, 1, 1, 1};
inline constexpr std::int16_t kKeyB = vk::LetterA + 1;
inline constexpr std::int16_t kKeyZ = vk::LetterA + 25;
// Level 4 at the next landing: the new wave is dealt with five objects.
inline constexpr std::int32_t kLevelFourScore = 9000;

// The game on the real atlas in a scratch working directory, its title
// sequence over on the virtual clock: the waiting phase.
class BenchForm {
 public:
  BenchForm() : form(Atlas(), cues) { testing::LoadAndWait(form, 2024); }

  void StartPlay() { testing::StartPlay(form); }
  void SetWave(const Slots& codes, const Slots& hits, std::int16_t row) { testing::SetWave(form, codes, hits, row); }

  // Delivers the tick of `timer`, which must be the only one running, when it falls due.
  void Tick(const Timer& timer) { form.DeliverDueTick(timer.Due()); }

  testing::ScratchDirectory scratch;
  SilentCuePlayer cues;
  Mform form;
};

// Runs `event` once outside the timing and skips the benchmark when `holds`
// fails afterwards: the set-up no longer produces the event it is named after.
template <typename Event, typename Check>
bool Rehearse(benchmark::State& run, Event event, Check holds, const char* what) {
  event();
  if (holds()) return true;
  run.SkipWithError(what);
  return false;
}

// An event timed both for its handler and for the frame it leaves: its scene
// set up once, then the event delivered again and again (from the same state
// each time), and the check that it still does what it is named after.
struct BenchEvent {
  void (*setUp)(BenchForm&);
  void (*deliver)(BenchForm&);
  bool (*holds)(const Mform&);
  const char* failure;
};

inline void InPlay(BenchForm& bench) { bench.StartPlay(); }

inline constexpr BenchEvent kKeyHit{
    InPlay,
    [](BenchForm& bench) {
      bench.SetWave(kFiveLetters, kOneHitEach, 3);
      bench.form.GMtime.SetInterval(1000);
      bench.form.DeliverKeyDown(bench.form.clock.now, kKeyB, 0);
    },
    [](const Mform& form) { return form.state.slotCode[1] == SlotEmpty && form.GMtime.Interval() == 999; },
    "B did not destroy the letter in slot 1"};

inline constexpr BenchEvent kDescentMove{InPlay,
                                         [](BenchForm& bench) {
                                           bench.SetWave(kFiveLetters, kOneHitEach, 2);
                                           bench.Tick(bench.form.GMtime);
                                         },
                                         [](const Mform& form) { return form.state.waveRow == 3; },
                                         "the tick did not move the wave to row 3"};

// The last tick of the first row's slide: the tallest erase of the sequence.
inline constexpr BenchEvent kTitleTick{
    [](BenchForm& bench) { bench.form.OPtimer.Enable(); },
    [](BenchForm& bench) {
      bench.form.state.titleStep = 0;
      bench.form.state.titlePos = 31;
      bench.form.state.titleSpeed = 12;
      bench.Tick(bench.form.OPtimer);
    },
    [](const Mform& form) { return form.state.titlePos == 30 && form.state.titleStep == 1; },
    "the tick did not bring row 1 to its place"};

}  // namespace zelvane::bench
