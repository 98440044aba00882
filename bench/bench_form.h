#pragma once

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "game/mform.h"
#include "game/virtual_clock.h"
#include "screen/atlas.h"
#include "support/form_fixture.h"

namespace zelvane::bench {

using Slots = std::array<std::int16_t, kColumns>;

inline constexpr Slots kFiveLetters{0, 1, 2, 3, 4};
inline constexpr Slots kOneHitEach{1, 1, 1, 1, 1};
inline constexpr std::int16_t kKeyB = testing::kKeyA + 1;
inline constexpr std::int16_t kKeyZ = testing::kKeyA + 25;
// Level 4 at the next landing: the new wave is dealt with five objects.
inline constexpr std::int32_t kLevelFourScore = 9000;

// The game on the real atlas in a scratch working directory, its title
// sequence over on the virtual clock: the waiting phase.
class BenchForm {
 public:
  BenchForm() : form(Atlas(), cues) {
    form.DeliverLoad();
    form.random.Seed(2024);
    RunFor(form, 1000);
  }

  void StartPlay() {
    form.DeliverClick(0);
    RunFor(form, 3000);
  }

  void SetWave(const Slots& codes, const Slots& hits, std::int16_t row) {
    form.state.slotCode = codes;
    form.state.slotHits = hits;
    form.state.waveRow = row;
  }

  // Delivers the tick of `timer`, which must be the only one running, when it falls due.
  void Tick(const Timer& timer) {
    form.clock.now = timer.Due();
    form.DeliverDueTick(form.clock.now);
  }

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

}  // namespace zelvane::bench
